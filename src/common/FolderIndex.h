#pragma once
// One folder's entries, matched without regard to letter case, for routines
// that look up or make many names in the same folder. DataPath lists a folder
// again for every name that is not spelled exactly as on disk; this lists it
// at most once, and only when a name is not found under its exact spelling.
// It knows only what it listed and what was made through it, so it is kept
// for one pass over the folder and then dropped.
#include <QSet>
#include <QString>
#include <map>
#include <optional>

class FolderIndex {
public:
    // Its entries are read from disk when first needed.
    explicit FolderIndex(const QString &folderPath);
    FolderIndex(const FolderIndex &) = delete;
    FolderIndex &operator=(const FolderIndex &) = delete;
    ~FolderIndex();

    const QString &path() const { return path_; }

    // Makes the folder `name` inside unless an entry of that name is there.
    // True when a folder of that name is there afterwards; `made` tells
    // whether it was made just now (and so is empty), `spelling` gives its
    // name as the folder spells it.
    bool EnsureFolder(const QString &name, bool *made = nullptr, QString *spelling = nullptr);

    // A folder further down, named relative to this one as the disk spells
    // it ("account/AuxFile0"): made, or looked at, without walking the whole
    // path from the root and without entering the index, which holds this
    // folder's own entries only.
    bool MakeFolderAt(const QByteArray &relative);
    bool IsFolderAt(const QByteArray &relative);

    // An entry of the folder that matches the name without regard to letter
    // case, null when none: a spelling OtherSpelling finds, or else the
    // first in the order the folder lists them. DataPath's lookup of a name
    // not spelled as on disk.
    static QString MatchingEntry(const QString &folderPath, const QString &name);

    // The entry of the folder named as `name` but for the letter case of
    // its ASCII letters, the exact spelling aside (a file, when filesOnly);
    // null when there is none. A name of a few such letters (a numbered
    // file's) has few spellings, and looking at each costs less than listing
    // a large folder: nullopt for a name of more, or of any letter that
    // another character matches without regard to case.
    static std::optional<QString> OtherSpelling(const QString &folderPath, const QString &name,
                                                bool filesOnly = false);

    // While one is alive on this thread, MatchingEntry lists each folder at
    // most once and answers later names from that listing, so a run of
    // deletions in a large folder costs one listing rather than one per
    // missing file. An answer is checked on disk before it is given, and a
    // name not found is remembered as it will be made, so entries removed or
    // made by the program meanwhile are seen. Nested ones share the outer.
    class Batch {
    public:
        Batch();
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        bool outer_;
    };

private:
    struct CaseInsensitiveLess {
        bool operator()(const QString &a, const QString &b) const {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        }
    };

    void Read();
    void Add(const QString &entry);
    int Fd();

    QString path_;
    bool known_ = false; // entries_ holds every entry of the folder
    QSet<QString> exact_;
    std::map<QString, QString, CaseInsensitiveLess> entries_; // first spelling of each name
    // The folder itself, opened when first needed: a name made or looked at
    // relative to it skips the walk down the whole path, which is most of
    // what tens of thousands of folders cost beyond the disk.
    int fd_ = -1;
};
