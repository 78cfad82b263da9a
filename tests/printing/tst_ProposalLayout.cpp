// The printed proposal in twips on the recording surface: frames, colours and
// labels by copy, page breaks, rule lines, price, disclaimers, the field
// layout, word wrapping, the letterhead; and whole pages measured as the
// printer measures them.
#include "PrintFixtures.h"
#include "TestMain.h"
#include "common/CommonVariables.h"
#include "printing/ProposalPrintRoutines.h"
#include "printing/ProposalPrintRun.h"

#include <QRegularExpression>
#include <QTest>

using namespace PrintFixtures;

namespace {
const quint32 K = PrintColors::Black;
const quint32 B = PrintColors::Blue;
const quint32 N = PrintColors::Navy;
using Colors = QList<quint32>;

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

QString OneSpaced(QString text) {
    static const QRegularExpression spaces(QStringLiteral(" +"));
    return text.replace(spaces, QStringLiteral(" "));
}

// What is wrong with the pages as a whole, or nothing: a text off the paper,
// a body text outside the body frame or under the closing block, a customer
// or job-site text outside its frame, a "Continued" page that does not
// continue, or a copy whose printed body differs from the body (runs of
// spaces count as one: the spaces at a line break are not printed).
QString PageFaults(const RecordingPrintSurface &surface, const QString &body) {
    const QRectF paper(0, 0, surface.PrintableWidth(), surface.PrintableHeight());
    const QRectF bodyFrame(QPointF(1080, 3960), QPointF(10800, 11520));
    const QRectF customerFrame(QPointF(1080, 2160), QPointF(5400, 3600));
    const QRectF jobSiteFrame(QPointF(5760, 2160), QPointF(10800, 3600));
    const QString continued = QStringLiteral("Continued on Next Page");
    QHash<int, QList<QRectF>> bodyBoxes, closingBoxes;
    QString printed;
    int continuedPage = 0;
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
        if (box.top() >= 2160 && box.top() < 3600 &&
            !(box.left() < 5400 ? customerFrame : jobSiteFrame).contains(box))
            return QStringLiteral("outside its frame: ") + where;
        if (isBody && op.text != continued)
            printed += op.text;
        else if (!isBody && box.top() >= bodyFrame.top())
            closingBoxes[op.page] << box;
        if (isBody)
            bodyBoxes[op.page] << box;
        if (op.text == continued)
            continuedPage = op.page;
        if (op.text == QLatin1String("Acceptance of Proposal")) {
            if (continuedPage == op.page)
                return QStringLiteral("continued but ended on page %1").arg(op.page);
            if (OneSpaced(printed) != OneSpaced(body))
                return QStringLiteral("the body printed differs: %1 characters of %2")
                    .arg(printed.size())
                    .arg(body.size());
            printed.clear();
        }
    }
    for (auto page = closingBoxes.cbegin(); page != closingBoxes.cend(); ++page)
        for (const QRectF &closing : page.value())
            for (const QRectF &text : bodyBoxes.value(page.key()))
                if (closing.intersects(text))
                    return QStringLiteral("body under the closing block on page %1").arg(page.key());
    return QString();
}

QList<double> LineYs(const RecordingPrintSurface &surface) {
    QList<double> ys;
    for (const PrintOperation &line : OfKind(surface, PrintOperation::Line)) {
        if (line.x != 1600.0 || line.x2 != 10650.0 || line.y2 != line.y || line.penWidth != 1 || line.color != K)
            return {-1};
        ys << line.y;
    }
    return ys;
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
        QTest::addColumn<Colors>("header");
        QTest::addColumn<Colors>("price"); // by copy

        QTest::newRow("two pages, three copies, in colour: six pages in one job")
            << 50 << 3 << true << Colors{B, B, B, B, K, K} << Colors{N, N, K, K, K, K} << Colors{B, B, K, K, K, K}
            << Colors{B, K, K};
        QTest::newRow("two pages, three copies, colour off: all black")
            << 50 << 3 << false << Colors(6, K) << Colors(6, K) << Colors(6, K) << Colors(3, K);
        QTest::newRow("one page, five copies: the last three black")
            << 5 << 5 << true << Colors{B, B, K, K, K} << Colors{N, N, K, K, K} << Colors{B, B, K, K, K}
            << Colors{B, B, K, K, K};
    }
    void framesColoursAndLabelsByCopy() {
        QFETCH(int, bodyLines);
        QFETCH(int, copies);
        QFETCH(bool, inColor);
        QFETCH(Colors, frameA);
        QFETCH(Colors, frameB);
        QFETCH(Colors, header);
        QFETCH(Colors, price);

        document.printSize = 6;
        settings.printInColor = inColor;
        QVERIFY(print(bodyLines, copies));
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
                QCOMPARE(boxes[i].penWidth, 2);
                QCOMPARE(boxes[i].color, i < 3 ? frameA[page - 1] : frameB[page - 1]);
            }
            QCOMPARE(TextOps(*surface, QStringLiteral("Proposal"), page)[0].color, header[page - 1]);
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
    void headerAndCustomerBlock() {
        document.usaStyle = false;
        document.jobSite[3] = QStringLiteral("Unit 2");
        SetupPrinter(*surface, QStringLiteral("Portrait"), true, settings.fontName);
        ProposalPage page{*surface, document, settings};
        PrintPageHeader(page, 1);
        PrintCustomerBlock(page);
        QCOMPARE(Where(*surface, [](const PrintOperation &) { return true; }),
                 QStringLiteral("Proposal@1440,288|Submitted by: @1440,720|Hollis Roofing and Gutters@1440,912|"
                                "12 Mill Road@1440,1104|Dayton@1440,1296|OH@1440,1488|(937) 555-0100@1440,1680|"
                                "Page # @8784,1080| 1 @9344,1080|Proposal No. - @8784,1272| 1001 @9984,1272|"
                                "Date: @8784,1464|3/5/2024@9264,1464|"
                                "Proposal submitted to:@2304,1944|Work to be performed at:@7200,1944|"
                                "Ann Baker@1440,2304|Baker Rental@6048,2304|4 Elm St@1440,2496|9 Oak Ave@6048,2496|"
                                "Unit 2@6048,2688|Xenia@1440,2880|Xenia@6048,2880|OH@1440,3072|OH@6048,3072|"
                                "45385@1440,3264|45385@6048,3264|(937) 555-0199@1440,3456|(937) 555-0142@6048,3456"));
        QCOMPARE(TextOps(*surface, QStringLiteral("Proposal"))[0].font, (PrintFont{"Arial", 18, true, true}));
        QCOMPARE(TextOps(*surface, QStringLiteral("Ann Baker"))[0].font, (PrintFont{"Arial", 8, true, false}));
    }
    // Courier New 6 is 144 twips a line: 45 lines break after line 41, which
    // ends at 10080; after 40 lines only the closing block moves on.
    void pageBreaks_data() {
        QTest::addColumn<int>("bodyLines");
        QTest::addColumn<QString>("bodyPlaced"); // a part of the body's texts
        QTest::addColumn<QString>("representative");
        QTest::newRow("body continued on the next page")
            << 45 << "Body line 41@2664,9936|Continued on Next Page@2664,10080|Body line 42@2664,4176"
            << "Representative ______________________________@5904,9216";
        QTest::newRow("closing block pushed to a new page")
            << 40 << "Body line 40@2664,9792" << "Representative ______________________________@5904,9216";
    }
    void pageBreaks() {
        QFETCH(int, bodyLines);
        QFETCH(QString, bodyPlaced);
        QFETCH(QString, representative);
        document.printSize = 6;
        settings.fontName = QStringLiteral("Tahoma");
        QVERIFY(print(bodyLines));
        QCOMPARE(surface->PagesStarted(), 2);
        const QString body = Where(*surface, [](const PrintOperation &op) { return op.font.name == "Courier New"; });
        QVERIFY2(body.contains(bodyPlaced), qPrintable(body));
        QCOMPARE(TextsStarting(*surface, QStringLiteral("Body line"), 1).size(), qMin(bodyLines, 41));
        QCOMPARE(TextOps(*surface, QStringLiteral("Continued on Next Page")).size(), bodyLines > 41 ? 1 : 0);
        const auto closing = TextsStarting(*surface, QStringLiteral("Representative "));
        QCOMPARE(Placed(closing), QStringList{representative});
        QCOMPARE(closing[0].page, 2);
        QCOMPARE(OfKind(*surface, PrintOperation::Line).size(), bodyLines > 41 ? 7 : 0);
        // The next page has the whole frame, in the fonts and places of the first.
        QCOMPARE(OfKind(*surface, PrintOperation::Box, 2).size(), 5);
        QCOMPARE(PageNumbers(*surface), (QStringList{" 1 ", " 2 "}));
        for (const char *text : {"Proposal", "Submitted by: ", "Proposal submitted to:", "Ann Baker"}) {
            const auto ops = TextOps(*surface, QString::fromLatin1(text));
            QCOMPARE(ops.size(), 2);
            QCOMPARE(ops[1].font, ops[0].font);
            QCOMPARE(ops[1].y, ops[0].y);
            QCOMPARE(ops[0].font.name, QStringLiteral("Tahoma"));
        }
    }
    // Bodies of every length and long paragraphs, measured as the printer
    // measures, at every print size: nothing leaves its frame or the paper,
    // nothing is printed under the closing block, and each copy prints the
    // whole body once.
    void wholePage_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("paragraphs");
        for (int size : {6, 8, 10, 12}) {
            QTest::addRow("size %d, 1 to 80 lines", size) << size << false;
            QTest::addRow("size %d, paragraphs up to 10,000 characters", size) << size << true;
        }
    }
    void wholePage() {
        QFETCH(int, size);
        QFETCH(bool, paragraphs);
        // The longest names the record holds, in wide letters.
        document.customer[1] = QStringLiteral("Mr. Maximilian Wolfgang Montgomery-Worthingham").left(45);
        document.jobSite[1] = QString(45, QLatin1Char('W'));
        document.printSize = size;
        const QString words = QStringLiteral("Remove the old shingles and felt; haul away all debris. ");
        auto paragraph = [&](int length) { return words.repeated(length / words.size() + 1).left(length); };
        QList<QStringList> bodies;
        if (paragraphs) {
            bodies = {BodyLines(20) << paragraph(2500),
                      {paragraph(6000)},
                      {QString(10000, QLatin1Char('x'))},
                      {QStringLiteral("   Indented"), QString(), paragraph(10000), QStringLiteral("End.")}};
        } else {
            for (int lines = 1; lines <= 80; ++lines)
                bodies << BodyLines(lines);
        }
        settings.copies = paragraphs ? 2 : 1;
        for (const QStringList &body : bodies) {
            surface = std::make_unique<RecordingPrintSurface>();
            UseRealMetrics(*surface);
            WriteBody(*folder, body);
            QVERIFY(PrintProposal(*surface, document, settings));
            const QString fault = PageFaults(*surface, body.join(QString()));
            QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("%1 lines: %2").arg(body.size()).arg(fault)));
        }
    }
    void bodyLinesEndAsInTheTextBoxes() {
        // CR LF, a lone CR and a lone LF each end a line, as in the report's details box.
        folder->write("TamselProposals/ProposalBody/1001.txt", "one\rtwo\nthree\r\n\r\nfive\r\n");
        QVERIFY(PrintProposal(*surface, document, settings));
        QCOMPARE(Where(*surface, [](const PrintOperation &op) { return op.font.name == "Courier New" && op.page == 1; }),
                 QStringLiteral("one@2664,4176|two@2664,4416|three@2664,4656|five@2664,5136"));
    }
    void pageNumbersPast255() {
        ProposalPage page{*surface, document, settings};
        PageNo = 255;
        StartContinuationPage(page, 1);
        QCOMPARE(PageNumbers(*surface), QStringList{" 256 "});
    }
    void longTextsMeasuredNearEachLineOnly() {
        // What is measured grows with the text, not with its square: a long
        // one-line body must not freeze the print.
        qint64 measured = 0;
        surface->SetWidthModel([&measured](const QString &text, const PrintFont &font) {
            measured += text.size();
            return double(text.size()) * font.size * 10;
        });
        const QString text = QStringLiteral("shingle ").repeated(25000);
        PrintWrapped(*surface, 500, 0, 7920, text);
        QVERIFY2(measured < 20 * text.size(), qPrintable(QString::number(measured)));
        QCOMPARE(surface->Texts().join(QString()), text);
    }
    void ruleLinesBelowTheBody_data() {
        QTest::addColumn<int>("bodyLines"); // -1: a field proposal
        QTest::addColumn<QList<double>>("ruleYs");
        // Courier New 10: 240 twips a line from 4176; the first rule 360 below.
        QTest::newRow("short body: 500 apart until one at 7920 or below")
            << 3 << QList<double>{5256, 5756, 6256, 6756, 7256, 7756, 8256};
        QTest::newRow("empty body") << 0 << QList<double>{4536, 5036, 5536, 6036, 6536, 7036, 7536, 8036};
        QTest::newRow("long body: two lines") << 13 << QList<double>{7656, 8156};
        QTest::newRow("body reaching past 7920: none") << 15 << QList<double>{};
        QTest::newRow("field proposal: nine from 4500")
            << -1 << QList<double>{4500, 5000, 5500, 6000, 6500, 7000, 7500, 8000, 8500};
    }
    void ruleLinesBelowTheBody() {
        QFETCH(int, bodyLines);
        QFETCH(QList<double>, ruleYs);
        document.isField = bodyLines < 0;
        QVERIFY(print(bodyLines));
        QCOMPARE(LineYs(*surface), ruleYs);
        QCOMPARE(surface->PagesStarted(), 1);
    }
    void pricePlans_data() {
        QTest::addColumn<int>("plan");
        QTest::addColumn<QString>("lines");

        const QString top =
            "Proposed Price: $4,250.00@1224,9216|With Payments to be made as follows:@1224,9504|";
        QTest::newRow("down and final payment")
            << 0
            << top + "Down Payment of $1,000.00 on or before 3/20/2024@1224,9696|"
                     "Final Payment of $3,250.00 on or before 4/5/2024@1224,9888";
        QTest::newRow("in full upon completion")
            << 1 << top + "Final Payment of $1,000.00 on or before 3/20/2024@1224,9696";
        // Dates end at 2160 and amounts at 5040 (80 twips a character at size 8).
        QTest::newRow("schedule of three")
            << 2
            << top + "Payment Due Date@1224,9696|Amount@4560,9696|3/20/2024@1440,10080|$1,000.00@4320,10080|"
                     "4/5/2024@1520,10272|$3,250.00@4320,10272|5/5/2024@1520,10464|$12,500.50@4240,10464";
    }
    void pricePlans() {
        QFETCH(int, plan);
        QFETCH(QString, lines);
        document.plan = plan;
        document.payments = {{Currency::FromUnits(1000), "3/20/2024"},
                             {Currency::FromUnits(3250), "4/5/2024"},
                             {Currency::FromCents(1250050), "5/5/2024"}};
        document.payments.resize(plan == 2 ? 3 : 2 - plan);
        QVERIFY(print(2));
        QCOMPARE(Where(*surface, [](const PrintOperation &op) { return op.y >= 9216 && op.y < 11520 && op.x < 5904; }),
                 lines);
        QCOMPARE(TextsStarting(*surface, "Proposed Price")[0].font, (PrintFont{"Arial", 12, true, false}));
    }
    void disclaimers_data() {
        QTest::addColumn<bool>("generic");
        QTest::addColumn<QVariant>("custom"); // a string, or nothing for a missing file
        QTest::addColumn<QString>("column"); // below the validity line, the insurer line as "_"

        QTest::newRow("custom naming the insurer")
            << false << QVariant(QStringLiteral("Work is guaranteed. Insurance on above work to be provided by:"))
            << "Work is guaranteed. Insurance on above work to be @5904,9600|provided by:@5904,9792|_@5904,10176";
        QTest::newRow("custom without it")
            << false << QVariant(QStringLiteral("Work is guaranteed for one year.")) << "Work is guaranteed for one year.@5904,9600";
        QTest::newRow("custom of three lines: three paragraphs")
            << false << QVariant(QStringLiteral("First paragraph.\r\nSecond one.\r\nThird one."))
            << "First paragraph.@5904,9600|Second one.@5904,9792|Third one.@5904,9984";
        QTest::newRow("custom file missing: nothing") << false << QVariant() << QString();
        QTest::newRow("generic: wrapped, then the insurer line") << true << QVariant() << QString();
    }
    void disclaimers() {
        QFETCH(bool, generic);
        QFETCH(QVariant, custom);
        QFETCH(QString, column);
        document.genericDisclaimer = generic;
        if (custom.isValid())
            settings.customDisclaimer = custom.toString();
        QVERIFY(print(1));

        QList<PrintOperation> below; // what follows the validity line at x 5904
        QString joined;
        for (const PrintOperation &op : OfKind(*surface, PrintOperation::Text))
            if (op.x == 5904 && op.y > 9408 && op.y < 11520) {
                below << op;
                QVERIFY2(Width(op) <= 4660 + 80, qPrintable(op.text)); // a trailing space may pass the limit
                joined += op.text;
            }
        QCOMPARE(Placed(TextsStarting(*surface, QStringLiteral("Proposal may be withdrawn"))),
                 QStringList{"Proposal may be withdrawn if not accepted in 30 Days@5904,9408"});
        const QString insurerLine(46, QLatin1Char('_'));
        if (generic) {
            QCOMPARE(joined, settings.genericDisclaimer + insurerLine);
            QCOMPARE(below.last().y, below[below.size() - 2].y + 2 * 192); // one empty line before it
        } else {
            QCOMPARE(Placed(below).join('|').replace(insurerLine, "_"), column);
        }
    }
    void fieldLayout() {
        document.isField = true;
        document.customer = {"", "Mr. John Smith", "4 Elm St", "", "Xenia", "OH", "45385", "(937) 555-0199"};
        document.jobSite = {};
        IsFieldProposal = false;
        QVERIFY(print(-1)); // a field proposal has no body file: none exists here
        QVERIFY(IsFieldProposal);
        const QString jobLine(45, QLatin1Char('_'));
        QCOMPARE(Placed(TextOps(*surface, jobLine)), (QStringList{jobLine + "@6192,2304", jobLine + "@6192,2592",
                                                                   jobLine + "@6192,2880", jobLine + "@6192,3168"}));
        QCOMPARE(Where(*surface, [](const PrintOperation &op) { return op.y >= 2304 && op.y < 3600 && op.x == 1440; }),
                 QStringLiteral("Mr. John Smith@1440,2304|4 Elm St@1440,2496|Xenia, OH 45385@1440,2688|"
                                "(937) 555-0199@1440,2880"));
        QCOMPARE(Placed(TextsStarting(*surface, QStringLiteral("Proposed Price: "))),
                 QStringList{"Proposed Price: _____________@1224,9072"});
        const QString blank = QStringLiteral("______________._______     by____/____/____");
        QStringList payments;
        for (int y = 9792; y <= 11328; y += 384)
            payments << blank + QStringLiteral("@1224,%1").arg(y);
        QCOMPARE(Placed(TextOps(*surface, blank)), payments);
        // Back in the print font for the acceptance block.
        QCOMPARE(TextOps(*surface, QStringLiteral("Acceptance of Proposal"))[0].font,
                 (PrintFont{"Arial", 10, true, false}));
    }
    void wrapping_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<double>("yAfter");

        // Size 10: 100 twips a character, 240 a line; width 1020 leaves 10 characters.
        QTest::newRow("empty text: one empty line") << QString() << QString() << 2240.0;
        QTest::newRow("exactly at the limit stays whole") << "aaaa bbbbb"
                                                          << "aaaa bbbbb@500,2000" << 2240.0;
        QTest::newRow("spaces at the break are not carried over")
            << "aaaa    bbbbbb"
            << "aaaa    @500,2000|bbbbbb@500,2240" << 2480.0;
        QTest::newRow("a word that fits only without its space")
            << "abcdefghij klm"
            << "abcdefghij @500,2000|klm@500,2240" << 2480.0;
        QTest::newRow("a long word inside a sentence is broken at the edge")
            << "ab abcdefghijklmnopqrstuvwxy cd"
            << "ab @500,2000|abcdefghij@500,2240|klmnopqrst@500,2480|uvwxy cd@500,2720" << 2960.0;
    }
    void wrapping() {
        QFETCH(QString, text);
        QFETCH(QString, lines);
        QFETCH(double, yAfter);
        surface->SetCurrentX(7000);
        PrintWrapped(*surface, 500, 2000, 1020, text);
        QCOMPARE(Placed(OfKind(*surface, PrintOperation::Text)).join('|'), lines);
        QCOMPARE(QPointF(surface->CurrentX(), surface->CurrentY()), QPointF(0, yAfter));
    }
    void letterhead_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("usaStyle");
        QTest::addColumn<bool>("webSite");
        QTest::addColumn<double>("nameSize");
        QTest::addColumn<QString>("lines");

        const QString tail =
            "Telephone: (937) 555-0100@1440,%1|info@hollis.example@1440,%2|Tax 31-1234567@1440,%3";
        QTest::newRow("26 characters: size 10 whatever was asked")
            << "Hollis Roofing and Gutters" << true << false << 10.0
            << "Hollis Roofing and Gutters@1440,1152|12 Mill Road@1440,1392|Suite 4@1440,1632|"
               "Dayton, OH. 45402@1440,1872|" + tail.arg(2112).arg(2352).arg(2592);
        QTest::newRow("25 characters: the size asked, international, web site")
            << "Hollis Roofing and Gutter" << false << true << 12.0
            << "Hollis Roofing and Gutter@1440,1152|12 Mill Road@1440,1440|Suite 4@1440,1680|Dayton@1440,1920|"
               "OH@1440,2160|" + tail.arg(2400).arg(2640).arg(2880) + "|www.hollis.example@1440,3120";
    }
    void letterhead() {
        QFETCH(QString, name);
        QFETCH(bool, usaStyle);
        QFETCH(bool, webSite);
        QFETCH(double, nameSize);
        QFETCH(QString, lines);
        settings.business[0] = name;
        settings.usaStyle = usaStyle;
        if (webSite)
            settings.webSite = QStringLiteral("www.hollis.example");
        PrintLetterhead(*surface, settings, 1.0, 0.8, 12);
        const auto ops = OfKind(*surface, PrintOperation::Text);
        QCOMPARE(Placed(ops).join('|'), lines);
        QCOMPARE(ops[0].font, (PrintFont{"Arial", nameSize, true, false}));
        QCOMPARE(ops[1].font, (PrintFont{"Arial", 10, false, false}));
    }

private:
    bool print(int bodyLines, int copies = 1) {
        settings.copies = copies;
        if (bodyLines >= 0) // none: no body file at all
            WriteBody(*folder, BodyLines(bodyLines));
        return PrintProposal(*surface, document, settings);
    }
    std::unique_ptr<TestFolder> folder;
    std::unique_ptr<RecordingPrintSurface> surface;
    ProposalDocument document;
    PageSettings settings;
};

TAMSEL_TEST(ProposalLayoutTest)
#include "tst_ProposalLayout.moc"
