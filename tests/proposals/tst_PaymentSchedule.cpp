#include "TestFolder.h"
#include "TestMain.h"
#include "common/LocaleTexts.h"
#include "proposals/PaymentSchedule.h"

#include <QLocale>
#include <QTest>

using namespace PaymentRules;

Q_DECLARE_METATYPE(Currency)
Q_DECLARE_METATYPE(QList<Currency>)

namespace {
QList<Currency> Cents(std::initializer_list<qint64> cents) {
    QList<Currency> list;
    for (qint64 c : cents)
        list << Currency::FromCents(c);
    return list;
}
} // namespace

class PaymentScheduleTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QStringLiteral("en_US"))); }
    void equalPayments_data();
    void equalPayments();
    void currencyFormRoundsHalvesAwayFromZero();
    void paymentTotal_data();
    void paymentTotal();
};

void PaymentScheduleTest::equalPayments_data() {
    QTest::addColumn<Currency>("price");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QList<Currency>>("expected");
    QTest::newRow("1,000.00 in 3") << Currency::FromCents(100000) << 3 << 2 << Cents({33333, 33333, 33334});
    QTest::newRow("100.00 in 7") << Currency::FromCents(10000) << 7 << 2
                                 << Cents({1428, 1428, 1428, 1428, 1428, 1428, 1432});
    QTest::newRow("0.07 in 8, shares round to nothing")
        << Currency::FromCents(7) << 8 << 2 << Cents({0, 0, 0, 0, 0, 0, 0, 7});
    QTest::newRow("no decimals: 1,000 in 3") << Currency::FromCents(100000) << 3 << 0 << Cents({33300, 33300, 33400});
    // Three decimals and a price typed to the ten-thousandth: an exact half of
    // a share goes to the even neighbour, as the price is split at its last digit.
    QTest::newRow("three decimals, a half share")
        << Currency{2009} << 2 << 3 << QList<Currency>{Currency{950}, Currency{1059}};
    QTest::newRow("nine, past the most: none") << Currency::FromCents(100000) << 9 << 2 << QList<Currency>();
}

void PaymentScheduleTest::equalPayments() {
    QFETCH(Currency, price);
    QFETCH(int, n);
    QFETCH(int, digits);
    QFETCH(QList<Currency>, expected);
    const QList<Currency> shares = CalculateEqualPayments(price, n, digits);
    QCOMPARE(shares, expected);
    if (shares.isEmpty())
        return;
    Currency total;
    for (Currency share : shares)
        total += share;
    QCOMPARE(total, price);
}

void PaymentScheduleTest::currencyFormRoundsHalvesAwayFromZero() {
    // 24.995 has no exact binary form; printed through a double it would lose the half cent.
    QCOMPARE(CurrencyForm(Currency{249950}), QStringLiteral("$25.00"));
    QCOMPARE(CurrencyForm(Currency{10050}), QStringLiteral("$1.01"));
    QCOMPARE(CurrencyForm(Currency{-10050}), CurrencyText(Currency::FromCents(-101)));
}

void PaymentScheduleTest::paymentTotal_data() {
    QTest::addColumn<QString>("price");
    QTest::addColumn<QStringList>("payments");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("index");
    QTest::newRow("adds up") << "$1,000.00" << QStringList{"$333.33", "$333.33", "$333.34"}
                             << int(TotalCheck::Equal) << -1;
    QTest::newRow("one ten-thousandth short")
        << "1000" << QStringList{"999.9999"} << int(TotalCheck::Unequal) << -1;
    QTest::newRow("price zero") << "$0.00" << QStringList{"$0.00"} << int(TotalCheck::PriceNotSet) << -1;
    QTest::newRow("second payment not a number")
        << "$10.00" << QStringList{"$5.00", "five"} << int(TotalCheck::PaymentNotNumber) << 1;
    // Three huge payments whose 64-bit sum wraps round to the price.
    QTest::newRow("payments beyond the largest amount")
        << "$6.40" << QStringList{"$900,000,000,000,000.00", "$900,000,000,000,000.00", "$44,674,407,370,961.56"}
        << int(TotalCheck::PaymentNotNumber) << 0;
    QTest::newRow("price beyond the largest amount")
        << "$1,000,000,000.00" << QStringList{"$1,000,000,000.00"} << int(TotalCheck::PriceNotSet) << -1;
}

void PaymentScheduleTest::paymentTotal() {
    QFETCH(QString, price);
    QFETCH(QStringList, payments);
    QFETCH(int, outcome);
    QFETCH(int, index);
    const TotalResult result = CheckPaymentTotal(price, payments, int(payments.size()));
    QCOMPARE(int(result.outcome), outcome);
    QCOMPARE(result.index, index);
}

TAMSEL_TEST(PaymentScheduleTest)
#include "tst_PaymentSchedule.moc"
