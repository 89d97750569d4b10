// z7guide: renders the German user guide from its HTML source into the PDF
// that Z7 Edit places in the user's Documents folder.
//
//   z7guide <source.html> <output.pdf> <font file>...
//
// The source holds one section per page, separated by the line
// "<!-- neue Seite -->". Each section is laid out on its own A4 page; a
// section that does not fit its page stops the build, so the guide always
// has exactly as many pages as the source has sections.
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHashSeed>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>

#include <cstdio>

namespace {

const QString kPageBreak = QStringLiteral("<!-- neue Seite -->");
const QString kTitle = QStringLiteral("Tellmar Modell Dateien");

// QPdfWriter stamps the creation date. The tool runs in UTC (see main), so
// only the digits change from build to build; a fixed date of the same length
// keeps the cross-reference offsets valid and the file identical.
void fixDates(QByteArray &pdf)
{
    static const QRegularExpression date(QStringLiteral("\\(D:(\\d{14})"));
    const QString text = QString::fromLatin1(pdf);
    QRegularExpressionMatchIterator it = date.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        pdf.replace(m.capturedStart(1), 14, "20240101000000");
    }
}

} // namespace

int main(int argc, char **argv)
{
    // Hash order decides the order of objects in the output (the PDF's fonts);
    // a fixed seed keeps the bytes the same from one build to the next.
    QHashSeed::setDeterministicGlobalSeed();
    qputenv("TZ", "UTC");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: z7guide <source.html> <output.pdf> <font file>...\n");
        return 2;
    }
    for (int i = 3; i < args.size(); ++i) {
        if (QFontDatabase::addApplicationFont(args[i]) < 0) {
            std::fprintf(stderr, "z7guide: cannot load font %s\n", qPrintable(args[i]));
            return 1;
        }
    }
    QFile src(args[1]);
    if (!src.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "z7guide: cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    const QString html = QString::fromUtf8(src.readAll());
    const int head = html.indexOf(QStringLiteral("<body>"));
    const QString style = html.left(head); // <head> with the style sheet
    const QStringList sections = html.mid(head + 6)
                                     .remove(QStringLiteral("</body>"))
                                     .remove(QStringLiteral("</html>"))
                                     .split(kPageBreak);

    QBuffer pdfBuffer;
    pdfBuffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdfBuffer);
        writer.setTitle(kTitle);
        writer.setCreator(QStringLiteral("Z7 Edit"));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(22, 20, 22, 18), QPageLayout::Millimeter));
        QPainter painter(&writer);
        const QRectF page = writer.pageLayout().paintRectPixels(writer.resolution());
        const double scale = writer.resolution() / 96.0; // the text is laid out at 96 dpi
        const QSizeF area(page.width() / scale, page.height() / scale - 40);
        for (int i = 0; i < sections.size(); ++i) {
            if (i > 0)
                writer.newPage();
            QTextDocument doc;
            doc.setDocumentMargin(0);
            doc.setPageSize(QSizeF(area.width(), 1e6));
            doc.setHtml(style + QStringLiteral("<body>") + sections[i] +
                        QStringLiteral("</body></html>"));
            if (doc.size().height() > area.height()) {
                std::fprintf(stderr, "z7guide: section %d does not fit on its page (%.0f > %.0f)\n",
                             i + 1, doc.size().height(), area.height());
                return 1;
            }
            painter.save();
            painter.scale(scale, scale);
            // Running head and foot.
            QFont small(QStringLiteral("EB Garamond 12 All SC"));
            small.setPixelSize(11);
            painter.setFont(small);
            painter.setPen(QColor(128, 0, 0));
            painter.drawText(QRectF(0, 0, area.width(), 16), Qt::AlignLeft,
                             QStringLiteral("Z7 Edit"));
            painter.drawText(QRectF(0, 0, area.width(), 16), Qt::AlignRight, kTitle);
            painter.drawLine(QPointF(0, 18), QPointF(area.width(), 18));
            painter.drawLine(QPointF(0, area.height() + 24),
                             QPointF(area.width(), area.height() + 24));
            painter.drawText(QRectF(0, area.height() + 26, area.width(), 16), Qt::AlignHCenter,
                             QStringLiteral("Seite %1 von %2").arg(i + 1).arg(sections.size()));
            painter.translate(0, 30);
            doc.drawContents(&painter);
            painter.restore();
        }
    }
    QByteArray pdf = pdfBuffer.data();
    fixDates(pdf);
    QFile out(args[2]);
    if (!out.open(QIODevice::WriteOnly) || out.write(pdf) != pdf.size()) {
        std::fprintf(stderr, "z7guide: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
