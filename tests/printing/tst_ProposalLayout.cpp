// The printed proposal in twips on the recording surface: frames, colours and
// labels by copy, the body across pages with the rule lines below it, the
// price and disclaimer block, and whole pages measured as the printer measures.
#include "PrintFixtures.h"
#include "TestMain.h"
#include "common/CommonVariables.h"
#include "printing/ProposalPrintRoutines.h"
#include "printing/ProposalPrintRun.h"

#include <QFontMetricsF>
#include <QPrinter>
#include <QRegularExpression>
#include <QTest>

using namespace PrintFixtures;

namespace {
const quint32 K = PrintColors::Black;
const quint32 B = PrintColors::Blue;
const quint32 N = PrintColors::Navy;
using Colors = QList<quint32>;
using Ys = QList<double>;

// The number printed after each "Page # ", by job page.
QStringList PageNumbers(const RecordingPrintSurface &surface) {
    QStringList numbers;
    const auto &ops = surface.Operations();
    for (qsizetype i = 0; i + 1 < ops.size(); ++i)
        if (ops[i].kind == PrintOperation::Text && ops[i].text == QLatin1String("Page # "))
            numbers << ops[i + 1].text;
    return numbers;
}

double Width(const PrintOperation &op) {
    return double(op.text.size()) * op.font.size * 10;
}

// Texts kept by the filter, as "text@x,y" joined by '|'.
template <typename Keep> QString Where(const RecordingPrintSurface &surface, Keep keep) {
    QList<PrintOperation> ops;
    for (const PrintOperation &op : OfKind(surface, PrintOperation::Text))
        if (keep(op))
            ops << op;
    return Placed(ops).join('|');
}

// The rule lines' heights; -1 alone if one is not a thin black line across the body.
Ys LineYs(const RecordingPrintSurface &surface) {
    Ys ys;
    for (const PrintOperation &line : OfKind(surface, PrintOperation::Line)) {
        if (line.x != 1600.0 || line.x2 != 10650.0 || line.y2 != line.y || line.penWidth != 1 || line.color != K)
            return {-1};
        ys << line.y;
    }
    return ys;
}

// Metrics of the faces the printer draws in, at 1440 dpi, as QtPrintSurface
// measures them: the page laid out on the recording surface is the page on paper.
const QFontMetricsF &PrinterMetrics(const PrintFont &font) {
    static QPrinter *printer = [] {
        auto *made = new QPrinter(QPrinter::HighResolution); // kept to the end: fonts refer to it
        made->setOutputFormat(QPrinter::PdfFormat);
        made->setResolution(1440);
        return made;
    }();
    static QHash<QString, QFontMetricsF> cache;
    const QString key = QStringLiteral("%1/%2/%3").arg(font.name).arg(font.size).arg(font.bold);
    auto found = cache.constFind(key);
    if (found == cache.constEnd())
        found = cache.insert(key, QFontMetricsF(PrintQFont(font), printer));
    return *found;
}

QRectF TextBox(const PrintOperation &op) {
    const QFontMetricsF &metrics = PrinterMetrics(op.font);
    return QRectF(op.x, op.y, metrics.horizontalAdvance(op.text), metrics.lineSpacing());
}

// What is wrong with the pages as a whole, or nothing: a text off the paper,
// a body text outside the body frame or under the closing block, a customer
// or job-site text outside its frame, or a copy whose printed body differs
// from the body (runs of spaces count as one: those at a break are not printed).
QString PageFaults(const RecordingPrintSurface &surface, const QString &body) {
    static const QRegularExpression spaces(QStringLiteral(" +"));
    const QRectF paper(0, 0, surface.PrintableWidth(), surface.PrintableHeight());
    const QRectF bodyFrame(QPointF(1080, 3960), QPointF(10800, 11520));
    QHash<int, QList<QRectF>> bodyBoxes, closingBoxes;
    QString printed;
    for (const PrintOperation &op : OfKind(surface, PrintOperation::Text)) {
        const QRectF box = TextBox(op);
        const QString where = QStringLiteral("\"%1\" at %2,%3 on page %4")
                                  .arg(op.text.left(40))
                                  .arg(box.left())
                                  .arg(box.top())
                                  .arg(op.page);
        const bool isBody = op.font.name == QLatin1String("Courier New");
        if (!paper.contains(box) || (isBody && !bodyFrame.contains(box)))
            return QStringLiteral("off the paper or the body frame: ") + where;
        const QRectF frame = box.left() < 5400 ? QRectF(QPointF(1080, 2160), QPointF(5400, 3600))
                                               : QRectF(QPointF(5760, 2160), QPointF(10800, 3600));
        if (box.top() >= 2160 && box.top() < 3600 && !frame.contains(box))
            return QStringLiteral("outside its frame: ") + where;
        (isBody ? bodyBoxes : closingBoxes)[op.page] << box;
        if (isBody && op.text != QLatin1String("Continued on Next Page"))
            printed += op.text;
        if (op.text == QLatin1String("Acceptance of Proposal")) {
            if (QString(printed).replace(spaces, " ") != QString(body).replace(spaces, " "))
                return QStringLiteral("the body printed differs: %1 characters of %2")
                    .arg(printed.size())
                    .arg(body.size());
            printed.clear();
        }
    }
    for (auto page = closingBoxes.cbegin(); page != closingBoxes.cend(); ++page)
        for (const QRectF &closing : page.value())
            for (const QRectF &text : bodyBoxes.value(page.key()))
                if (closing.top() >= bodyFrame.top() && closing.intersects(text))
                    return QStringLiteral("body under the closing block on page %1").arg(page.key());
    return QString();
}
} // namespace

class ProposalLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        folder = std::make_unique<TestFolder>();
        surface = std::make_unique<RecordingPrintSurface>();
        document = Document();
        settings = Settings();
    }
    void cleanup() {
        QVERIFY2(folder->prompt->unexpected.isEmpty(), qPrintable(folder->prompt->unexpected.join(" | ")));
        folder.reset();
    }

    void framesColoursAndLabelsByCopy_data() {
        QTest::addColumn<int>("bodyLines");
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("inColor");
        QTest::addColumn<Colors>("frameA"); // by job page
        QTest::addColumn<Colors>("frameB");
        QTest::addColumn<Colors>("price"); // by copy
        QTest::newRow("two pages, three copies, in colour: six pages in one job")
            << 50 << 3 << true << Colors{B, B, B, B, K, K} << Colors{N, N, K, K, K, K} << Colors{B, K, K};
        QTest::newRow("two pages, three copies, colour off: all black")
            << 50 << 3 << false << Colors(6, K) << Colors(6, K) << Colors(3, K);
        QTest::newRow("one page, five copies: the last three black")
            << 5 << 5 << true << Colors{B, B, K, K, K} << Colors{N, N, K, K, K} << Colors{B, B, K, K, K};
    }
    void framesColoursAndLabelsByCopy() {
        QFETCH(int, bodyLines);
        QFETCH(int, copies);
        QFETCH(bool, inColor);
        QFETCH(Colors, frameA);
        QFETCH(Colors, frameB);
        QFETCH(Colors, price);
        document.printSize = 6;
        settings.printInColor = inColor;
        settings.copies = copies;
        WriteBody(*folder, bodyLines);
        QVERIFY(PrintProposal(*surface, document, settings));
        const int pages = int(frameA.size()), perCopy = pages / copies;
        // One job, and no empty page after the last copy.
        QCOMPARE(surface->PagesStarted(), pages);
        QCOMPARE(surface->DocumentsEnded(), 1);
        QCOMPARE(surface->Operations().last().page, pages);
        QStringList numbers;
        for (int page = 1; page <= pages; ++page)
            numbers << QStringLiteral(" %1 ").arg((page - 1) % perCopy + 1);
        QCOMPARE(PageNumbers(*surface), numbers);

        const QList<QRectF> expected = {{QPointF(1080, 2160), QPointF(5400, 3600)},
                                        {QPointF(5760, 2160), QPointF(10800, 3600)},
                                        {QPointF(1080, 3960), QPointF(10800, 11520)},
                                        {QPointF(8640, 720), QPointF(10800, 1800)},
                                        {QPointF(1080, 11880), QPointF(10800, 13680)}};
        for (int page = 1; page <= pages; ++page) {
            const auto boxes = OfKind(*surface, PrintOperation::Box, page);
            QCOMPARE(boxes.size(), 5);
            for (int i = 0; i < 5; ++i) {
                QCOMPARE(QRectF(QPointF(boxes[i].x, boxes[i].y), QPointF(boxes[i].x2, boxes[i].y2)),
                         expected[i]);
                QCOMPARE(boxes[i].color, i < 3 ? frameA[page - 1] : frameB[page - 1]);
            }
        }
        // Price and label on the last page of each copy, the label centred at the foot.
        const QStringList labels = {"Original", "Duplicate", "Triplicate", "File Copy", "File Copy"};
        const auto prices = TextsStarting(*surface, QStringLiteral("Proposed Price: "));
        QCOMPARE(prices.size(), copies);
        for (int copy = 0; copy < copies; ++copy) {
            QCOMPARE(prices[copy].color, price[copy]);
            QCOMPARE(prices[copy].page, (copy + 1) * perCopy);
            const auto label = OfKind(*surface, PrintOperation::Text, (copy + 1) * perCopy).last();
            QCOMPARE(label.text, labels[copy]);
            QCOMPARE(QPointF(label.x, label.y), QPointF(5760 - Width(label) / 2, 15120 - 240));
        }
    }
    // The body file's lines down the page, onto the next page when full, and
    // the rule lines for handwriting below a short body.
    void bodyAcrossPages_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("body"); // the file; none for a field proposal
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("placed"); // a part of the body's texts
        QTest::addColumn<Ys>("rules");
        // Size 6 is 144 twips a line: 45 lines break after line 41, which ends
        // at 10080; after 40 lines only the closing block moves on.
        QTest::newRow("body continued on the next page")
            << 6 << BodyBytes(45) << 2
            << "Body line 41@2664,9936|Continued on Next Page@2664,10080|Body line 42@2664,4176"
            << Ys{5112, 5612, 6112, 6612, 7112, 7612, 8112};
        QTest::newRow("closing block pushed to a new page") << 6 << BodyBytes(40) << 2 << "Body line 40@2664,9792"
                                                            << Ys{};
        // Size 10: 240 twips a line from 4176; the first rule 360 below, then
        // 500 apart until one at 7920 or below.
        QTest::newRow("CR LF, a lone CR and a lone LF each end a line")
            << 10 << QByteArray("one\rtwo\nthree\r\n\r\nfive\r\n") << 1
            << "one@2664,4176|two@2664,4416|three@2664,4656|five@2664,5136"
            << Ys{5736, 6236, 6736, 7236, 7736, 8236};
        QTest::newRow("empty body") << 10 << QByteArray("") << 1 << ""
                                    << Ys{4536, 5036, 5536, 6036, 6536, 7036, 7536, 8036};
        QTest::newRow("long body: two rules") << 10 << BodyBytes(13) << 1 << "Body line 13@2664,7056"
                                              << Ys{7656, 8156};
        QTest::newRow("field proposal: nine from 4500")
            << 10 << QByteArray() << 1 << "" << Ys{4500, 5000, 5500, 6000, 6500, 7000, 7500, 8000, 8500};
    }
    void bodyAcrossPages() {
        QFETCH(int, size);
        QFETCH(QByteArray, body);
        QFETCH(int, pages);
        QFETCH(QString, placed);
        QFETCH(Ys, rules);
        document.printSize = size;
        document.isField = body.isNull();
        if (!body.isNull())
            folder->write("TamselProposals/ProposalBody/1001.txt", body);
        settings.copies = 1;
        QVERIFY(PrintProposal(*surface, document, settings));
        QCOMPARE(surface->PagesStarted(), pages);
        const QString printed = Where(*surface, [](const PrintOperation &op) { return op.font.name == "Courier New"; });
        QVERIFY2(printed.contains(placed), qPrintable(printed));
        QCOMPARE(LineYs(*surface), rules);
        QCOMPARE(TextsStarting(*surface, QStringLiteral("Representative ")).value(0).page, pages);
    }
    // The price with its payments on the left, the validity line and the
    // disclaimer wrapped on the right (the insurer line shown as "_").
    void priceAndDisclaimer_data() {
        QTest::addColumn<int>("plan");
        QTest::addColumn<QVariant>("custom"); // a string, or nothing for the generic text
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right"); // below the validity line

        const QString top =
            "Proposed Price: $4,250.00@1224,9216|With Payments to be made as follows:@1224,9504|";
        QTest::newRow("down and final payment; custom naming the insurer")
            << 0 << QVariant(QStringLiteral("Work is guaranteed. Insurance on above work to be provided by:"))
            << top + "Down Payment of $1,000.00 on or before 3/20/2024@1224,9696|"
                     "Final Payment of $3,250.00 on or before 4/5/2024@1224,9888"
            << "Work is guaranteed. Insurance on above work to be @5904,9600|provided by:@5904,9792|_@5904,10176";
        QTest::newRow("in full upon completion; custom of three lines: three paragraphs")
            << 1 << QVariant(QStringLiteral("First paragraph.\r\nSecond one.\r\nThird one."))
            << top + "Final Payment of $1,000.00 on or before 3/20/2024@1224,9696"
            << "First paragraph.@5904,9600|Second one.@5904,9792|Third one.@5904,9984";
        // Dates end at 2160 and amounts at 5040 (80 twips a character at size 8).
        QTest::newRow("schedule of three; generic: wrapped, then the insurer line")
            << 2 << QVariant()
            << top + "Payment Due Date@1224,9696|Amount@4560,9696|3/20/2024@1440,10080|$1,000.00@4320,10080|"
                     "4/5/2024@1520,10272|$3,250.00@4320,10272|5/5/2024@1520,10464|$12,500.50@4240,10464"
            << QString();
        // Spaces at a break stay on their line; a word longer than a line is broken at the edge.
        const QString word(70, QLatin1Char('x'));
        QTest::newRow("in full upon completion; custom with a word longer than the line")
            << 1 << QVariant(QStringLiteral("Terms:    ") + word + QStringLiteral(" apply."))
            << top + "Final Payment of $1,000.00 on or before 3/20/2024@1224,9696"
            << "Terms:    @5904,9600|" + word.left(58) + "@5904,9792|" + word.mid(58) + " apply.@5904,9984";
    }
    void priceAndDisclaimer() {
        QFETCH(int, plan);
        QFETCH(QVariant, custom);
        QFETCH(QString, left);
        QFETCH(QString, right);
        document.plan = plan;
        document.payments = {{Currency::FromUnits(1000), "3/20/2024"},
                             {Currency::FromUnits(3250), "4/5/2024"},
                             {Currency::FromCents(1250050), "5/5/2024"}};
        document.payments.resize(plan == 2 ? 3 : 2 - plan);
        document.genericDisclaimer = !custom.isValid();
        if (custom.isValid())
            settings.customDisclaimer = custom.toString();
        settings.copies = 1;
        WriteBody(*folder, 2);
        QVERIFY(PrintProposal(*surface, document, settings));
        QCOMPARE(Where(*surface, [](const PrintOperation &op) { return op.y >= 9216 && op.y < 11520 && op.x < 5904; }),
                 left);

        QCOMPARE(Placed(TextsStarting(*surface, QStringLiteral("Proposal may be withdrawn"))),
                 QStringList{"Proposal may be withdrawn if not accepted in 30 Days@5904,9408"});
        QList<PrintOperation> below;
        QString joined;
        for (const PrintOperation &op : OfKind(*surface, PrintOperation::Text))
            if (op.x == 5904 && op.y > 9408 && op.y < 11520) {
                below << op;
                QVERIFY2(Width(op) <= 4660 + 80, qPrintable(op.text)); // a trailing space may pass the limit
                joined += op.text;
            }
        const QString insurerLine(46, QLatin1Char('_'));
        if (custom.isValid()) {
            QCOMPARE(Placed(below).join('|').replace(insurerLine, "_"), right);
        } else {
            QCOMPARE(joined, settings.genericDisclaimer + insurerLine);
            QCOMPARE(below.last().y, below[below.size() - 2].y + 2 * 192); // one empty line before it
        }
    }
    // Measured as the printer measures, at each print size: nothing leaves its
    // frame or the paper, nothing lies under the closing block, and each copy
    // prints the whole body once.
    void wholePage_data() {
        QTest::addColumn<int>("size");
        for (int size : {6, 8, 10, 12})
            QTest::addRow("size %d", size) << size;
    }
    void wholePage() {
        QFETCH(int, size);
        // The longest names the record holds, in wide letters.
        document.customer[1] = QStringLiteral("Mr. Maximilian Wolfgang Montgomery-Worthingham").left(45);
        document.jobSite[1] = QString(45, QLatin1Char('W'));
        document.printSize = size;
        settings.copies = 2;
        const QString words = QStringLiteral("Remove the old shingles and felt; haul away all debris. ");
        const QString paragraph = words.repeated(110).left(6000);
        QList<QByteArray> bodies = {QString(10000, QLatin1Char('x')).toLatin1(),
                                    "   Indented\r\n\r\n" + paragraph.toLatin1() + "\r\nEnd.\r\n"};
        for (int lines : {1, 29, 30, 31, 41, 42, 80})
            bodies << BodyBytes(lines);
        for (const QByteArray &body : bodies) {
            surface = std::make_unique<RecordingPrintSurface>();
            surface->SetWidthModel([](const QString &text, const PrintFont &font) {
                return PrinterMetrics(font).horizontalAdvance(text);
            });
            surface->SetLineHeightModel([](const PrintFont &font) { return PrinterMetrics(font).lineSpacing(); });
            folder->write("TamselProposals/ProposalBody/1001.txt", body);
            QVERIFY(PrintProposal(*surface, document, settings));
            const QString fault = PageFaults(*surface, QString::fromLatin1(body).remove(QStringLiteral("\r\n")));
            QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("%1 bytes: %2").arg(body.size()).arg(fault)));
        }
    }
private:
    std::unique_ptr<TestFolder> folder;
    std::unique_ptr<RecordingPrintSurface> surface;
    ProposalDocument document;
    PageSettings settings;
};

TAMSEL_TEST(ProposalLayoutTest)
#include "tst_ProposalLayout.moc"
