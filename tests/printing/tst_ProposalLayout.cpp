// The printed proposal in twips on the recording surface: frames and colours
// by copy and job page, the body's page break, rule lines, price, disclaimers,
// the field layout, copy labels, word wrapping and the letterhead.
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
        const QString where = QStringLiteral("\"%1\" at %2,%3 to %4,%5 on page %6")
                                  .arg(op.text.left(40))
                                  .arg(box.left())
                                  .arg(box.top())
                                  .arg(box.right())
                                  .arg(box.bottom())
                                  .arg(op.page);
        if (!paper.contains(box))
            return QStringLiteral("off the paper: ") + where;
        const bool isBody = op.font.name == QLatin1String("Courier New");
        if (isBody && !bodyFrame.contains(box))
            return QStringLiteral("outside the body frame: ") + where;
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
                return QStringLiteral("the body printed differs: %1 characters of %2, from \"%3\"")
                    .arg(printed.size())
                    .arg(body.size())
                    .arg(printed.left(60));
            printed.clear();
        }
    }
    for (auto page = closingBoxes.cbegin(); page != closingBoxes.cend(); ++page)
        for (const QRectF &closing : page.value())
            for (const QRectF &text : bodyBoxes.value(page.key()))
                if (closing.intersects(text))
                    return QStringLiteral("body under the closing block on page %1 at y %2")
                        .arg(page.key())
                        .arg(text.top());
    return QString();
}

QList<double> LineYs(const RecordingPrintSurface &surface) {
    QList<double> ys;
    for (const PrintOperation &line : OfKind(surface, PrintOperation::Line)) {
        if (line.x != 1600.0 || line.x2 != 10650.0 || line.y2 != line.y || line.penWidth != 1)
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

    void framesAndColoursByCopyAndJobPage_data() {
        QTest::addColumn<int>("bodyLines");
        QTest::addColumn<bool>("inColor");
        QTest::addColumn<Colors>("frameA"); // by job page
        QTest::addColumn<Colors>("frameB");
        QTest::addColumn<Colors>("header");
        QTest::addColumn<Colors>("price"); // by copy

        QTest::newRow("one page, three copies, in colour: copy 3 all black")
            << 5 << true << Colors{B, B, K} << Colors{N, N, K} << Colors{B, B, K} << Colors{B, B, K};
        QTest::newRow("two pages, three copies, in colour: six pages in one job")
            << 50 << true << Colors{B, B, B, B, K, K} << Colors{N, N, K, K, K, K} << Colors{B, B, K, K, K, K}
            << Colors{B, K, K};
        QTest::newRow("two pages, three copies, colour off: all black")
            << 50 << false << Colors(6, K) << Colors(6, K) << Colors(6, K) << Colors(3, K);
    }
    void framesAndColoursByCopyAndJobPage() {
        QFETCH(int, bodyLines);
        QFETCH(bool, inColor);
        QFETCH(Colors, frameA);
        QFETCH(Colors, frameB);
        QFETCH(Colors, header);
        QFETCH(Colors, price);

        document.printSize = 6;
        settings.printInColor = inColor;
        QVERIFY(print(bodyLines, 3));
        const int pages = int(frameA.size()), perCopy = pages / 3;
        // One job, and no empty page after the last copy.
        QCOMPARE(surface->PagesStarted(), pages);
        QCOMPARE(surface->DocumentsEnded(), 1);
        QCOMPARE(surface->Operations().last().page, pages);
        QCOMPARE(surface->Operations().last().text, CopyLabel(3));
        QCOMPARE(PageNo, perCopy);
        QCOMPARE(surface->JobPageNo(), 1);
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
            QCOMPARE(TextOps(*surface, QStringLiteral("Proposal"), page).size(), 1);
            QCOMPARE(TextOps(*surface, QStringLiteral("Proposal"), page)[0].color, header[page - 1]);
            QCOMPARE(TextOps(*surface, QStringLiteral("Submitted by: "), page)[0].color, header[page - 1]);
            QCOMPARE(TextOps(*surface, QStringLiteral("Proposal submitted to:"), page)[0].color, K);
        }
        const auto prices = TextsStarting(*surface, QStringLiteral("Proposed Price: "));
        const auto acceptance = TextOps(*surface, QStringLiteral("Acceptance of Proposal"));
        QCOMPARE(prices.size(), 3);
        QCOMPARE(acceptance.size(), 3);
        for (int copy = 0; copy < 3; ++copy) {
            QCOMPARE(prices[copy].color, price[copy]);
            QCOMPARE(acceptance[copy].color, price[copy]);
            QCOMPARE(prices[copy].page, (copy + 1) * perCopy); // on the last page of each copy
        }
        for (const PrintOperation &line : OfKind(*surface, PrintOperation::Line))
            QCOMPARE(line.color, K);
    }
    void headerAndCustomerBlock_data() {
        QTest::addColumn<bool>("usaStyle");
        QTest::addColumn<QString>("jobAddress2");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("customer");

        const QString top = "Proposal@1440,288|Submitted by: @1440,720|Hollis Roofing and Gutters@1440,912|"
                            "12 Mill Road@1440,1104|";
        const QString column = "Page # @8784,1080| 1 @9344,1080|Proposal No. - @8784,1272| 1001 @9984,1272|"
                               "Date: @8784,1464|3/5/2024@9264,1464";
        const QString captions =
            "Proposal submitted to:@2304,1944|Work to be performed at:@7200,1944|"
            "Ann Baker@1440,2304|Baker Rental@6048,2304|4 Elm St@1440,2496|9 Oak Ave@6048,2496|";
        QTest::newRow("USA style, no job-site address 2: row skipped")
            << true << QString() << top + "Dayton, OH 45402@1440,1296|(937) 555-0100@1440,1488|" + column
            << captions + "Xenia, OH 45385@1440,2688|Xenia, OH 45385@6048,2688|"
                          "(937) 555-0199@1440,2880|(937) 555-0142@6048,2880";
        QTest::newRow("international style, job-site address 2 given")
            << false << QStringLiteral("Unit 2")
            << top + "Dayton@1440,1296|OH@1440,1488|(937) 555-0100@1440,1680|" + column
            << captions + "Unit 2@6048,2688|Xenia@1440,2880|Xenia@6048,2880|OH@1440,3072|OH@6048,3072|"
                          "45385@1440,3264|45385@6048,3264|(937) 555-0199@1440,3456|(937) 555-0142@6048,3456";
    }
    void headerAndCustomerBlock() {
        QFETCH(bool, usaStyle);
        QFETCH(QString, jobAddress2);
        QFETCH(QString, header);
        QFETCH(QString, customer);

        document.usaStyle = usaStyle;
        document.jobSite[3] = jobAddress2;
        SetupPrinter(*surface, QStringLiteral("Portrait"), true, settings.fontName);
        ProposalPage page{*surface, document, settings};
        PrintPageHeader(page, 1);
        const auto headerOps = OfKind(*surface, PrintOperation::Text);
        QCOMPARE(Placed(headerOps).join('|'), header);
        QCOMPARE(headerOps[0].font, (PrintFont{"Arial", 18, true, true}));
        QCOMPARE(headerOps[1].font, (PrintFont{"Arial", 8, false, false}));

        surface->Clear();
        PrintCustomerBlock(page);
        QCOMPARE(Where(*surface, [](const PrintOperation &) { return true; }), customer);
        for (const PrintOperation &op : OfKind(*surface, PrintOperation::Text))
            QCOMPARE(op.font, (PrintFont{"Arial", 8, true, false}));
    }
    void bodyBreaksAtTheContinuationLine() {
        // Courier New 6: 144 twips a line, so line 41 ends exactly at 10080.
        document.printSize = 6;
        settings.fontName = QStringLiteral("Tahoma");
        QVERIFY(print(45));
        QCOMPARE(surface->PagesStarted(), 2);
        const auto body = [](const PrintOperation &op) {
            return op.font.name == QLatin1String("Courier New");
        };
        const QString placed = Where(*surface, body);
        QVERIFY(placed.contains("Body line 40@2664,9792|Body line 41@2664,9936|"
                                "Continued on Next Page@2664,10080|Body line 42@2664,4176"));
        QCOMPARE(TextOps(*surface, QStringLiteral("Continued on Next Page"))[0].page, 1);
        QCOMPARE(TextOps(*surface, QStringLiteral("Body line 42"))[0].page, 2);
        for (const PrintOperation &op : OfKind(*surface, PrintOperation::Text))
            if (op.text.startsWith(QLatin1String("Body line")) ||
                op.text.startsWith(QLatin1String("Continued")))
                QCOMPARE(op.font, (PrintFont{"Courier New", 6, true, false}));

        // The continuation page has the whole frame, in the fonts of the first page.
        QCOMPARE(OfKind(*surface, PrintOperation::Box, 2).size(), 5);
        QCOMPARE(PageNumbers(*surface), (QStringList{" 1 ", " 2 "}));
        for (const char *text : {"Proposal", "Submitted by: ", "Proposal submitted to:", "Ann Baker"}) {
            const auto ops = TextOps(*surface, QString::fromLatin1(text));
            QCOMPARE(ops.size(), 2);
            QCOMPARE(ops[1].font, ops[0].font);
            QCOMPARE(ops[1].y, ops[0].y);
            QCOMPARE(ops[0].font.name, QStringLiteral("Tahoma"));
        }
        QCOMPARE(TextsStarting(*surface, QStringLiteral("Representative"))[0].page, 2);
    }
    void closingBlockPushedToANewPage() {
        // The last line ends at 9936, below 9720: the rule lines would start past 10080.
        document.printSize = 6;
        QVERIFY(print(40));
        QCOMPARE(surface->PagesStarted(), 2);
        QVERIFY(TextOps(*surface, QStringLiteral("Continued on Next Page")).isEmpty());
        QCOMPARE(TextsStarting(*surface, QStringLiteral("Body line"), 1).size(), 40);
        QCOMPARE(TextsStarting(*surface, QStringLiteral("Body line"), 2).size(), 0);
        QCOMPARE(OfKind(*surface, PrintOperation::Box, 2).size(), 5);
        QCOMPARE(OfKind(*surface, PrintOperation::Line).size(), 0);
        const auto representative = TextsStarting(*surface, QStringLiteral("Representative "));
        QCOMPARE(Placed(representative),
                 QStringList{"Representative ______________________________@5904,9216"});
        QCOMPARE(representative[0].page, 2);
        QCOMPARE(representative[0].font, (PrintFont{"Arial", 8, true, false}));
        QCOMPARE(TextOps(*surface, QStringLiteral("Acceptance of Proposal"))[0].page, 2);
        QCOMPARE(TextOps(*surface, QStringLiteral("Original"))[0].page, 2);
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
            QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("%1 lines, %2 characters: %3")
                                                     .arg(body.size())
                                                     .arg(body.join(QString()).size())
                                                     .arg(fault)));
        }
    }
    void customerTextsStayInTheirFrames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("whole");
        QTest::newRow("a long name: whole, in a smaller size")
            << QStringLiteral("WOODWARD MASONRY AND WATERPROOFING OF OHIO") << true;
        QTest::newRow("45 wide letters: cut at the frame even at 6 points")
            << QString(45, QLatin1Char('W')) << false;
    }
    void customerTextsStayInTheirFrames() {
        QFETCH(QString, name);
        QFETCH(bool, whole);
        UseRealMetrics(*surface);
        document.customer[1] = name;
        document.jobSite[1] = name;
        ProposalPage page{*surface, document, settings};
        PrintCustomerBlock(page);
        const auto names = TextsStarting(*surface, name.left(5));
        QCOMPARE(names.size(), 2);
        for (const PrintOperation &op : names) {
            const double right = op.x < 5400 ? 5400 : 10800;
            QVERIFY2(TextBox(op).right() <= right, qPrintable(QString::number(TextBox(op).right())));
            QCOMPARE(op.text == name, whole);
            QVERIFY(name.startsWith(op.text) && op.font.size >= 6 && op.font.size <= 8);
            if (op.x < 5400) // the customer's frame is narrower
                QVERIFY(op.font.size < 8);
        }
        // The rows below keep their places.
        const double row = PrinterMetrics(PrintFont{"Arial", 8, true, false}).lineSpacing();
        QCOMPARE(TextOps(*surface, QStringLiteral("4 Elm St"))[0].y, names[0].y + row);
        QCOMPARE(TextOps(*surface, QStringLiteral("4 Elm St"))[0].font.size, 8.0);
    }
    void bodyLinesEndAsInTheTextBoxes() {
        // CR LF, a lone CR and a lone LF each end a line, as in the report's details box.
        folder->write("TamselProposals/ProposalBody/1001.txt", "one\rtwo\nthree\r\n\r\nfive\r\n");
        settings.copies = 1;
        QVERIFY(PrintProposal(*surface, document, settings));
        QCOMPARE(Where(*surface, [](const PrintOperation &op) { return op.font.name == "Courier New"; }),
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
        QTest::addColumn<int>("bodyLines");
        QTest::addColumn<QList<double>>("ruleYs");
        // Courier New 10: 240 twips a line from 4176; the first rule 360 below.
        QTest::newRow("short body: 500 apart until one at 7920 or below")
            << 3 << QList<double>{5256, 5756, 6256, 6756, 7256, 7756, 8256};
        QTest::newRow("empty body") << 0 << QList<double>{4536, 5036, 5536, 6036, 6536, 7036, 7536, 8036};
        QTest::newRow("long body: two lines") << 13 << QList<double>{7656, 8156};
        QTest::newRow("body reaching past 7920: none") << 15 << QList<double>{};
    }
    void ruleLinesBelowTheBody() {
        QFETCH(int, bodyLines);
        QFETCH(QList<double>, ruleYs);
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

        QList<PrintOperation> left;
        for (const PrintOperation &op : OfKind(*surface, PrintOperation::Text))
            if (op.y >= 9216 && op.y < 11520 && op.x < 5904)
                left << op;
        QCOMPARE(Placed(left).join('|'), lines);
        QCOMPARE(left[0].font, (PrintFont{"Arial", 12, true, false}));
        QCOMPARE(left[1].font, (PrintFont{"Arial", 8, true, false}));
        for (int i = 2; i < left.size(); ++i) {
            QCOMPARE(left[i].font, (PrintFont{"Arial", 8, true, plan != 2 || i < 4}));
            QCOMPARE(left[i].color, B);
            if (plan == 2 && i >= 4)
                QCOMPARE(left[i].x + Width(left[i]), i % 2 == 0 ? 2160.0 : 5040.0);
        }
    }
    void disclaimers_data() {
        QTest::addColumn<bool>("generic");
        QTest::addColumn<QVariant>("custom"); // a string, or nothing for a missing file
        QTest::addColumn<int>("paragraphs");
        QTest::addColumn<bool>("insurerLine");

        QTest::newRow("generic: always the insurer line") << true << QVariant() << 1 << true;
        QTest::newRow("custom naming the insurer")
            << false
            << QVariant(QStringLiteral("Work is guaranteed. Insurance on above work to be provided by:")) << 1
            << true;
        QTest::newRow("custom without it")
            << false << QVariant(QStringLiteral("Work is guaranteed for one year.")) << 1 << false;
        QTest::newRow("custom of three lines: three paragraphs")
            << false << QVariant(QStringLiteral("First paragraph.\r\nSecond one.\r\nThird one.")) << 3
            << false;
        QTest::newRow("custom file missing: nothing") << false << QVariant() << 0 << false;
    }
    void disclaimers() {
        QFETCH(bool, generic);
        QFETCH(QVariant, custom);
        QFETCH(int, paragraphs);
        QFETCH(bool, insurerLine);

        document.genericDisclaimer = generic;
        if (custom.isValid())
            settings.customDisclaimer = custom.toString();
        QVERIFY(print(1));

        const auto validity = TextsStarting(*surface, QStringLiteral("Proposal may be withdrawn"));
        QCOMPARE(Placed(validity),
                 QStringList{"Proposal may be withdrawn if not accepted in 30 Days@5904,9408"});
        QList<PrintOperation> column; // what follows the validity line at x 5904
        for (const PrintOperation &op : OfKind(*surface, PrintOperation::Text))
            if (op.x == 5904 && op.y > 9408 && op.y < 11520)
                column << op;
        const bool hasLine = !column.isEmpty() && column.last().text == QString(46, QLatin1Char('_'));
        QCOMPARE(hasLine, insurerLine);
        if (hasLine) {
            QCOMPARE(column.last().font.name, QStringLiteral("Arial"));
            // One empty line between the disclaimer and the insurer line.
            QCOMPARE(column.last().y, column[column.size() - 2].y + 2 * 192);
            column.removeLast();
        }
        QString joined;
        for (const PrintOperation &op : column) {
            QVERIFY2(Width(op) <= 4660 + 80, qPrintable(op.text)); // a trailing space may pass the limit
            joined += op.text;
        }
        QCOMPARE(column.isEmpty(), paragraphs == 0);
        if (generic)
            QCOMPARE(joined, settings.genericDisclaimer);
        if (paragraphs == 3)
            QCOMPARE(Placed(column).join('|'),
                     QStringLiteral("First paragraph.@5904,9600|Second one.@5904,9792|Third one.@5904,9984"));
        for (int i = 1; i < column.size(); ++i)
            QCOMPARE(column[i].y, column[i - 1].y + 192);
    }
    void fieldLayout() {
        document.isField = true;
        document.bodyName.clear(); // a field proposal has no body file: none exists here
        document.customer = {"", "Mr. John Smith", "4 Elm St", "", "Xenia", "OH", "45385", "(937) 555-0199"};
        document.jobSite = {};
        IsFieldProposal = false;
        QVERIFY(print(-1));
        QVERIFY(IsFieldProposal);
        QCOMPARE(surface->PagesStarted(), 1);
        QCOMPARE(LineYs(*surface), (QList<double>{4500, 5000, 5500, 6000, 6500, 7000, 7500, 8000, 8500}));

        const QString jobLine(45, QLatin1Char('_'));
        const auto jobLines = TextOps(*surface, jobLine);
        QCOMPARE(Placed(jobLines), (QStringList{jobLine + "@6192,2304", jobLine + "@6192,2592",
                                                jobLine + "@6192,2880", jobLine + "@6192,3168"}));
        QCOMPARE(jobLines[0].font, (PrintFont{"Arial", 8, false, false}));
        QCOMPARE(Where(*surface,
                       [](const PrintOperation &op) { return op.y >= 2304 && op.y < 3600 && op.x == 1440; }),
                 QStringLiteral("Mr. John Smith@1440,2304|4 Elm St@1440,2496|Xenia, OH 45385@1440,2688|"
                                "(937) 555-0199@1440,2880"));

        const auto price = TextsStarting(*surface, QStringLiteral("Proposed Price: "));
        QCOMPARE(Placed(price), QStringList{"Proposed Price: _____________@1224,9072"});
        QCOMPARE(price[0].font, (PrintFont{"Arial", 12, false, false}));
        const QString blank = QStringLiteral("______________._______     by____/____/____");
        QStringList payments;
        for (int y = 9792; y <= 11328; y += 384)
            payments << blank + QStringLiteral("@1224,%1").arg(y);
        QCOMPARE(Placed(TextOps(*surface, blank)), payments);
        // Back in the print font for the acceptance block.
        QCOMPARE(TextOps(*surface, QStringLiteral("Acceptance of Proposal"))[0].font,
                 (PrintFont{"Arial", 10, true, false}));
        QCOMPARE(TextsStarting(*surface, QStringLiteral("Representative "))[0].font.bold, false);
    }
    void copyLabels_data() {
        QTest::addColumn<int>("copies");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("one copy") << 1 << QStringList{"Original"};
        QTest::newRow("five copies") << 5
                                     << QStringList{"Original", "Duplicate", "Triplicate", "File Copy",
                                                    "File Copy"};
    }
    void copyLabels() {
        QFETCH(int, copies);
        QFETCH(QStringList, labels);
        QVERIFY(print(2, copies));
        QCOMPARE(surface->PagesStarted(), copies);
        QCOMPARE(surface->DocumentsEnded(), 1);
        QStringList found;
        for (const PrintOperation &op : OfKind(*surface, PrintOperation::Text)) {
            if (op.y != 15120 - 240)
                continue;
            found << op.text;
            QCOMPARE(op.x, 5760 - Width(op) / 2);
            QCOMPARE(op.page, int(found.size()));
            QCOMPARE(op.font, (PrintFont{"Arial", 10, true, false}));
        }
        QCOMPARE(found, labels);
    }
    void wrapping_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<double>("yAfter");

        // Size 10: 100 twips a character, 240 a line; width 1020 leaves 10 characters.
        QTest::newRow("empty text: one empty line") << QString() << QString() << 2240.0;
        QTest::newRow("exactly at the limit stays whole") << "aaaa bbbbb"
                                                          << "aaaa bbbbb@500,2000" << 2240.0;
        QTest::newRow("the last word past the limit moves down")
            << "aaaa bbbbbb"
            << "aaaa @500,2000|bbbbbb@500,2240" << 2480.0;
        QTest::newRow("spaces at the break are not carried over")
            << "aaaa    bbbbbb"
            << "aaaa    @500,2000|bbbbbb@500,2240" << 2480.0;
        QTest::newRow("a word that fits only without its space")
            << "abcdefghij klm"
            << "abcdefghij @500,2000|klm@500,2240" << 2480.0;
        QTest::newRow("a word wider than the line is broken at the edge")
            << "abcdefghijklmnopqrstuvwxy"
            << "abcdefghij@500,2000|klmnopqrst@500,2240|uvwxy@500,2480" << 2720.0;
        QTest::newRow("a long word inside a sentence")
            << "ab abcdefghijklmno cd"
            << "ab @500,2000|abcdefghij@500,2240|klmno cd@500,2480" << 2720.0;
    }
    void wrapping() {
        QFETCH(QString, text);
        QFETCH(QString, lines);
        QFETCH(double, yAfter);
        surface->SetCurrentX(7000);
        PrintWrapped(*surface, 500, 2000, 1020, text);
        QCOMPARE(Placed(OfKind(*surface, PrintOperation::Text)).join('|'), lines);
        QCOMPARE(surface->CurrentY(), yAfter);
        QCOMPARE(surface->CurrentX(), 0.0);
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
               "Dayton, OH. 45402@1440,1872|" +
                   tail.arg(2112).arg(2352).arg(2592);
        QTest::newRow("25 characters: the size asked, international, web site")
            << "Hollis Roofing and Gutter" << false << true << 12.0
            << "Hollis Roofing and Gutter@1440,1152|12 Mill Road@1440,1440|Suite "
               "4@1440,1680|Dayton@1440,1920|"
               "OH@1440,2160|" +
                   tail.arg(2400).arg(2640).arg(2880) + "|www.hollis.example@1440,3120";
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
        QCOMPARE(ops[0].font.size, nameSize);
        QVERIFY(ops[0].font.bold);
        for (int i = 1; i < ops.size(); ++i)
            QCOMPARE(ops[i].font, (PrintFont{"Arial", 10, false, false}));
    }
    void fontAndPositionHelpers() {
        SetPrintFont(*surface, 14, -1, -1);
        QCOMPARE(surface->Font(), (PrintFont{"Arial", 14, true, true}));
        // A size of 0 keeps the size; only -1 turns a style on.
        SetPrintFont(*surface, 0, 1, 0);
        QCOMPARE(surface->Font(), (PrintFont{"Arial", 14, false, false}));
        surface->SetCurrentX(100);
        surface->SetCurrentY(200);
        SetPrintPosition(*surface, 0, 2.5);
        QCOMPARE(QPointF(surface->CurrentX(), surface->CurrentY()), QPointF(100, 3600));
        SetPrintPosition(*surface, 1.25, 0);
        QCOMPARE(QPointF(surface->CurrentX(), surface->CurrentY()), QPointF(1800, 3600));
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
