// Times the printed proposal into a PDF file through the real print surface:
// a two-page proposal in three copies (six pages), a thirty-page body in
// three copies (ninety pages), and a body of one line of 1 MB (a paragraph
// typed without Enter) in one copy. Beside each, the same job on the
// recording surface, which lays the pages out without painting, as a floor.
// Each time is the median of the rounds.
//
//   bench_printing [rounds] [folder to keep the PDF files in]

#include "BenchTiming.h"
#include "common/CommonVariables.h"
#include "common/Currency.h"
#include "platform/QtPrintSurface.h"
#include "platform/RecordingPrintSurface.h"
#include "printing/ProposalPrintRun.h"
#include "settings/TermsTexts.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

QByteArray Logo() {
    QImage image(160, 64, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x1f, 0x4e, 0x9a));
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygon({QPoint(8, 56), QPoint(48, 12), QPoint(88, 56)}));
    painter.setPen(QColor(0x1f, 0x4e, 0x9a));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(22);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(92, 8, 68, 48), Qt::AlignCenter, QStringLiteral("HRG"));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

PageSettings Settings() {
    PageSettings settings;
    settings.business = {
        "Hollis Roofing and Gutters", "12 Mill Road",  "Suite 4", "Dayton", "OH", "45402", "(937) 555-0100",
        "info@hollis.example",        "Tax 31-1234567"};
    settings.copies = 3;
    settings.logo = Logo();
    settings.logoNaturalWidth = 160 * 15;
    settings.logoWidth = 1800;
    settings.logoHeight = 720;
    settings.genericDisclaimer = GenericDisclaimer();
    return settings;
}

ProposalDocument Document(int number) {
    ProposalDocument document;
    document.number = qint16(number);
    document.date = QDate(2024, 3, 5);
    document.customer = {"", "Ann Baker", "4 Elm St", "", "Xenia", "OH", "45385", "(937) 555-0199"};
    document.jobSite = {"", "Baker Rental House", "9 Oak Ave", "", "Xenia", "OH", "45385", "(937) 555-0142"};
    document.printSize = 10;
    document.priceText = QStringLiteral("$8,940.00");
    document.plan = 2;
    document.payments = {{Currency::FromUnits(2980), QStringLiteral("3/20/2024")},
                         {Currency::FromUnits(2980), QStringLiteral("4/20/2024")},
                         {Currency::FromUnits(2980), QStringLiteral("5/20/2024")}};
    return document;
}

// A body of about the given number of pages: a header, work paragraphs and
// line items, as the writer saves them.
QByteArray Body(int pages) {
    QStringList lines = {
        QStringLiteral("We propose to furnish material and labor to complete the following:"), QString()};
    const QStringList work = {QStringLiteral("Remove the existing shingles and felt down to the deck;"),
                              QStringLiteral("haul away all debris and sweep the yard for nails."),
                              QStringLiteral("Replace rotted deck boards as found (unit price below)."),
                              QStringLiteral("Ice and water shield along the eaves and in the valleys,"),
                              QStringLiteral("synthetic underlayment on the rest of the roof."),
                              QStringLiteral("Architectural shingles, 30-year warranty, owner's colour."),
                              QStringLiteral("New drip edge, ridge vent and pipe boots; seal flashing."),
                              QString(),
                              QStringLiteral(" 2  Seamless gutters, 5 in., 42 ft   $262.50    $525.00"),
                              QStringLiteral(" 6  Downspouts, 3 x 4 in., 10 ft      $38.00    $228.00"),
                              QStringLiteral("12  Deck boards, 1 x 6 in., as found  $14.50    $174.00"),
                              QString()};
    // 25 lines of body at 10 points fill a page; the last page keeps room
    // for the closing block.
    const int wanted = 25 * (pages - 1) + 9;
    for (int i = 0; lines.size() < wanted; ++i)
        lines << work[i % work.size()];
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

struct Timing {
    double pdfMs = 0;
    double layoutMs = 0;
    int pages = 0;
    qint64 bytes = 0;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One line of words, about a megabyte.
QByteArray OneLineBody() {
    return QByteArray("Remove the old shingles and felt; haul away all debris. ").repeated(18725) + "\r\n";
}

Timing Time(const QString &folder, int number, const QByteArray &bodyBytes, int copies, int rounds,
            const QString &keepAs) {
    QDir(folder).mkpath(QStringLiteral("TamselProposals/ProposalBody"));
    QFile body(QDir(folder).filePath(QStringLiteral("TamselProposals/ProposalBody/%1.txt").arg(number)));
    body.open(QIODevice::WriteOnly);
    body.write(bodyBytes);
    body.close();
    const ProposalDocument document = Document(number);
    PageSettings settings = Settings();
    settings.copies = copies;

    Timing timing;
    std::vector<double> pdf, layout;
    for (int round = 0; round < rounds; ++round) {
        const QString file = QDir(folder).filePath(QStringLiteral("out.pdf"));
        QElapsedTimer clock;
        clock.start();
        {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            QtPrintSurface surface(printer);
            if (!PrintProposal(surface, document, settings))
                qFatal("the print failed");
        }
        pdf.push_back(clock.nsecsElapsed() / 1e6);
        timing.bytes = QFileInfo(file).size();
        if (!keepAs.isEmpty() && round == 0) {
            QFile::remove(keepAs);
            QFile::copy(file, keepAs);
        }

        RecordingPrintSurface recording;
        clock.restart();
        PrintProposal(recording, document, settings);
        layout.push_back(clock.nsecsElapsed() / 1e6);
        timing.pages = recording.PagesStarted();
    }
    timing.pdfMs = Median(pdf);
    timing.layoutMs = Median(layout);
    return timing;
}

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    const int rounds = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 5;
    const QString keep = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    QTemporaryDir dir;
    AppFolder = dir.path();

    const struct {
        const char *what;
        int number;
        QByteArray body;
        int copies;
        int rounds;
        const char *file;
    } jobs[] = {{"2-page proposal, 3 copies", 1001, Body(2), 3, rounds, "proposal-2-pages-3-copies.pdf"},
                {"30-page body, 3 copies", 1002, Body(30), 3, rounds, "proposal-30-pages-3-copies.pdf"},
                {"1 MB one-line body, 1 copy", 1003, OneLineBody(), 1, std::min(rounds, 3),
                 "proposal-1-MB-one-line.pdf"}};
    for (const auto &job : jobs) {
        const QString keepAs =
            keep.isEmpty() ? QString() : QDir(keep).filePath(QString::fromLatin1(job.file));
        const Timing t = Time(dir.path(), job.number, job.body, job.copies, job.rounds, keepAs);
        BenchRow(QStringLiteral("printing: %1 to PDF").arg(QString::fromLatin1(job.what)),
                 QStringLiteral("%1 pages, %2 KiB").arg(t.pages).arg(t.bytes / 1024), t.pdfMs, t.layoutMs);
    }
    return 0;
}
