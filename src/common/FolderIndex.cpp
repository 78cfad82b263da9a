#include "common/FolderIndex.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QStringList>
#include <utility>
#include <vector>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FolderIndex::FolderIndex(const QString &folderPath) : path_(folderPath) {}

FolderIndex::~FolderIndex() {
    if (fd_ >= 0)
        ::close(fd_);
}

int FolderIndex::Fd() {
    if (fd_ < 0)
        fd_ = ::open(QFile::encodeName(path_).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    return fd_;
}

bool FolderIndex::MakeFolderAt(const QByteArray &relative) {
    if (Fd() < 0)
        return QDir().mkdir(path_ + QLatin1Char('/') + QFile::decodeName(relative));
    return ::mkdirat(fd_, relative.constData(), 0777) == 0;
}

bool FolderIndex::IsFolderAt(const QByteArray &relative) {
    struct stat info {};
    if (Fd() < 0)
        return QFileInfo(path_ + QLatin1Char('/') + QFile::decodeName(relative)).isDir();
    return ::fstatat(fd_, relative.constData(), &info, 0) == 0 && S_ISDIR(info.st_mode);
}

namespace {

// Unsorted: sorting a large folder costs more than reading it, and the first
// match in the folder's own order is as good a choice as any.
constexpr QDir::Filters EveryEntry = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

// Each folder's spellings of each name (keyed by its case-folded form, which
// is what a comparison without regard to case compares), in the folder's
// order, then any spelling a lookup did not find: it may have been made since.
struct Listing {
    QHash<QString, QString> first;     // nearly every name has one spelling
    QHash<QString, QStringList> more;  // the rest, in order
};
thread_local QHash<QString, Listing> *BatchListings = nullptr;

Listing ListFolder(const QString &folderPath) {
    Listing listing;
    QDirIterator it(folderPath, EveryEntry);
    while (it.hasNext()) {
        const QString entry = it.nextFileInfo().fileName();
        const QString key = entry.toCaseFolded();
        const auto known = listing.first.constFind(key);
        if (known == listing.first.constEnd())
            listing.first.insert(key, entry);
        else
            listing.more[key].append(entry);
    }
    return listing;
}

QString MatchingInBatch(const QString &folderPath, const QString &name) {
    auto folder = BatchListings->find(folderPath);
    if (folder == BatchListings->end())
        folder = BatchListings->insert(folderPath, ListFolder(folderPath));
    Listing &listing = *folder;
    const QString key = name.toCaseFolded();
    const auto first = listing.first.constFind(key);
    if (first == listing.first.constEnd()) {
        listing.first.insert(key, name);
        return {};
    }
    const auto there = [&folderPath](const QString &entry) {
        return QFileInfo::exists(folderPath + QLatin1Char('/') + entry);
    };
    if (there(*first))
        return *first;
    QStringList &more = listing.more[key];
    for (const QString &entry : std::as_const(more)) {
        if (there(entry))
            return entry;
    }
    if (*first != name && !more.contains(name))
        more.append(name);
    return {};
}

} // namespace

FolderIndex::Batch::Batch() : outer_(BatchListings == nullptr) {
    if (outer_)
        BatchListings = new QHash<QString, Listing>;
}

FolderIndex::Batch::~Batch() {
    if (outer_) {
        delete BatchListings;
        BatchListings = nullptr;
    }
}

std::optional<QString> FolderIndex::OtherSpelling(const QString &folderPath, const QString &name, bool filesOnly) {
    std::vector<qsizetype> letters;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        // Kelvin sign, long s and dotted capital I match k, s and i.
        if (c >= 0x80 || QChar::toLower(c) == u'i' || QChar::toLower(c) == u'k' || QChar::toLower(c) == u's')
            return std::nullopt;
        if (QChar::isLetter(c))
            letters.push_back(i);
    }
    if (letters.size() > 4)
        return std::nullopt;
    QString spelling = name;
    for (unsigned mask = 0; mask < (1u << letters.size()); ++mask) {
        for (size_t l = 0; l < letters.size(); ++l) {
            const QChar c = name[letters[l]];
            spelling[letters[l]] = mask & (1u << l) ? c.toUpper() : c.toLower();
        }
        struct stat info {};
        if (spelling != name &&
            ::stat(QFile::encodeName(folderPath + QLatin1Char('/') + spelling).constData(), &info) == 0 &&
            (!filesOnly || S_ISREG(info.st_mode)))
            return spelling;
    }
    return QString();
}

QString FolderIndex::MatchingEntry(const QString &folderPath, const QString &name) {
    if (auto spelling = OtherSpelling(folderPath, name))
        return *spelling;
    if (BatchListings)
        return MatchingInBatch(folderPath, name);
    QDirIterator it(folderPath, EveryEntry);
    while (it.hasNext()) {
        const QString entry = it.nextFileInfo().fileName();
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

void FolderIndex::Read() {
    QDirIterator it(path_, EveryEntry);
    while (it.hasNext())
        Add(it.nextFileInfo().fileName());
    known_ = true;
}

void FolderIndex::Add(const QString &entry) {
    exact_.insert(entry);
    entries_.try_emplace(entry, entry); // an earlier entry of the same name wins
}

bool FolderIndex::EnsureFolder(const QString &name, bool *made, QString *spelling) {
    if (made)
        *made = false;
    if (spelling)
        *spelling = name;
    if (!known_) {
        // Most names are there as spelled: one look, and no listing. (A
        // plain stat: a later start looks at every account's folders.)
        struct stat info {};
        const QByteArray entry = QFile::encodeName(name);
        if (Fd() >= 0 ? ::fstatat(fd_, entry.constData(), &info, 0) == 0
                      : ::stat(QFile::encodeName(path_ + QLatin1Char('/') + name).constData(), &info) == 0)
            return S_ISDIR(info.st_mode);
        Read();
    }
    if (exact_.contains(name))
        return QFileInfo(path_ + QLatin1Char('/') + name).isDir();
    const auto found = entries_.find(name);
    if (found != entries_.end()) {
        if (spelling)
            *spelling = found->second;
        return QFileInfo(path_ + QLatin1Char('/') + found->second).isDir();
    }
    if (!MakeFolderAt(QFile::encodeName(name)))
        return false;
    Add(name);
    if (made)
        *made = true;
    return true;
}
