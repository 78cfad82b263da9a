#include "customers/CustomerSearch.h"

#include <QSet>
#include <algorithm>

QString CustomerRecord::*SearchField(int mode) {
    using R = CustomerRecord;
    static QString R::*const fields[] = {&R::AcctName, &R::Address1, &R::Address2, &R::City,    &R::State,
                                         &R::Address4, &R::Phone,    &R::LastName, &R::AcctNo};
    return mode >= 0 && mode <= 8 ? fields[mode] : nullptr;
}

namespace {
QString Field(const QByteArray &record, QString CustomerRecord::*member) {
    return CustomerLayout().ReadText(record, member);
}

// Only the fields that name the customer, for the lists and the grid.
CustomerRecord NameFields(const QByteArray &record) {
    using R = CustomerRecord;
    R names;
    names.AcctType = Field(record, &R::AcctType);
    if (IsBusiness(names)) {
        names.AcctName = Field(record, &R::AcctName);
    } else {
        names.Title = Field(record, &R::Title);
        names.FirstName = Field(record, &R::FirstName);
        names.MiddleInitial = Field(record, &R::MiddleInitial);
        names.LastName = Field(record, &R::LastName);
    }
    return names;
}
} // namespace

FoundCustomer FoundRow(const QByteArray &record, qint32 recNo) {
    using R = CustomerRecord;
    return {GridName(NameFields(record)), Field(record, &R::Phone).trimmed(), Field(record, &R::Address1).trimmed(),
            Field(record, &R::City).trimmed(), recNo};
}

namespace {

// Whether a field, trimmed and upper-cased, holds the key. Fields and keys of
// plain ASCII (nearly all of them) are compared as bytes, which spares
// decoding every record of a large file; anything else takes the text path.
class FieldMatcher {
public:
    FieldMatcher(QString CustomerRecord::*member, const QString &key) : member_(member), key_(key) {
        for (const auto &f : CustomerLayout().Fields()) {
            const auto *candidate = std::get_if<QString CustomerRecord::*>(&f.member);
            if (candidate && *candidate == member) {
                offset_ = f.offset;
                width_ = f.width;
            }
        }
        bool ascii = width_ <= int(sizeof buffer_);
        for (QChar c : key)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii)
            asciiKey_ = key.toLatin1();
        byBytes_ = ascii;
    }

    bool operator()(const QByteArray &record) {
        if (byBytes_ && record.size() >= offset_ + width_) {
            const char *field = record.constData() + offset_;
            bool ascii = true;
            for (int i = 0; i < width_ && ascii; ++i) {
                const auto b = static_cast<unsigned char>(field[i]);
                ascii = b < 0x80;
                buffer_[i] = b >= 'a' && b <= 'z' ? char(b - 32) : b == 0 ? ' ' : char(b);
            }
            if (ascii) {
                int start = 0, end = width_;
                while (start < end && IsBlank(buffer_[start]))
                    ++start;
                while (end > start && IsBlank(buffer_[end - 1]))
                    --end;
                return QByteArrayView(buffer_ + start, end - start).indexOf(asciiKey_) >= 0;
            }
        }
        return Field(record, member_).trimmed().toUpper().contains(key_);
    }

private:
    static bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

    QString CustomerRecord::*member_;
    QString key_;
    QByteArray asciiKey_;
    int offset_ = 0;
    int width_ = 0;
    bool byBytes_ = false;
    char buffer_[64];
};

} // namespace

std::vector<FoundCustomer> SearchCustomers(int mode, const QString &key, qint32 count) {
    std::vector<FoundCustomer> found;
    if (mode == CustomerListMode) {
        ScanCustomerRecords(count, [&](qint32 recNo, const QByteArray &record) {
            found.push_back(FoundRow(record, recNo));
        });
        return found;
    }
    QString CustomerRecord::*field = SearchField(mode);
    if (!field)
        return found;
    FieldMatcher matches(field, key);
    ScanCustomerRecords(count, [&](qint32 recNo, const QByteArray &record) {
        if (matches(record))
            found.push_back(FoundRow(record, recNo));
    });
    return found;
}

bool ListBoxLess(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; }

qsizetype ListBoxInsertPosition(const QStringList &list, const QString &text) {
    return std::upper_bound(list.begin(), list.end(), text, ListBoxLess) - list.begin();
}

AccountLists BuildAccountLists(qint32 count) {
    using R = CustomerRecord;
    AccountLists lists;
    QSet<QString> cities;
    ScanCustomerRecords(count, [&](qint32 recNo, const QByteArray &record) {
        const QString city = Field(record, &R::City).trimmed();
        if (!city.isEmpty() && !cities.contains(city)) {
            cities.insert(city);
            lists.cities << city;
        }
        lists.accounts.push_back({DisplayName(NameFields(record)), recNo});
    });
    std::stable_sort(lists.accounts.begin(), lists.accounts.end(),
                     [](const AccountEntry &a, const AccountEntry &b) { return ListBoxLess(a.name, b.name); });
    std::stable_sort(lists.cities.begin(), lists.cities.end(), ListBoxLess);
    return lists;
}
