#include "common/FolderIndex.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

FolderIndex::FolderIndex(const QString &folderPath) : path_(folderPath) {}

FolderIndex FolderIndex::Empty(const QString &folderPath) {
    FolderIndex index(folderPath);
    index.known_ = true;
    return index;
}

namespace {

// Unsorted: sorting a large folder costs more than reading it, and the first
// match in the folder's own order is as good a choice as any.
constexpr QDir::Filters EveryEntry = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

} // namespace

QString FolderIndex::MatchingEntry(const QString &folderPath, const QString &name) {
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
    const QString path = path_ + QLatin1Char('/') + name;
    if (!known_) {
        // Most names are there as spelled: one look, and no listing.
        // (isDir first: one stat answers both; exists alone would ask again.)
        const QFileInfo exact(path);
        if (exact.isDir())
            return true;
        if (exact.exists())
            return false;
        Read();
    }
    if (exact_.contains(name))
        return QFileInfo(path).isDir();
    const auto found = entries_.find(name);
    if (found != entries_.end()) {
        if (spelling)
            *spelling = found->second;
        return QFileInfo(path_ + QLatin1Char('/') + found->second).isDir();
    }
    if (!QDir().mkdir(path))
        return false;
    Add(name);
    if (made)
        *made = true;
    return true;
}
