#include "PageTestSupport.h"
#include "page/PagePlayer.h"
#include "page/PagePrinter.h"
#include "page/WmfReader.h"
#include "page/WmfWriter.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace tv::page;

namespace {

QString sourceFile(const QString& relative)
{
    return QString::fromLocal8Bit(qgetenv("TV_SOURCE_DIR")) + QStringLiteral("/tests/page/") + relative;
}

quint16 word(const QByteArray& b, int index)
{
    return qFromLittleEndian<quint16>(b.constData() + 2 * index);
}

class WmfTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::ensureGuiApp();
        ASSERT_TRUE(dir.isValid());
        printer.beginDoc();
        printer.writeLine(QString::fromUtf8("Patient: DOE, JANE  été €"));
        FontSpec f = printer.font();
        f.name = QStringLiteral("Arial");
        f.size = 14;
        f.bold = true;
        f.colour = 0x0000FF;
        printer.setFont(f);
        printer.setTableFormat(QStringLiteral("<2|>1.5"));
        printer.writeTableRow(QStringLiteral("?clYellow?Glucose|!105 mg/dL"));
        PageCanvas& c = printer.canvas();
        c.setPenWidth(4);
        c.setPenColour(0x008000);
        c.moveTo({75, 400});
        c.lineTo({2325, 400});
        c.setBrushSolid(0xC0C0C0);
        c.rectangle({100, 500}, {600, 700});
        c.setBrushClear();
        c.roundRect({700, 500}, {1200, 700}, {60, 60});
        QImage image(4, 3, QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                image.setPixel(x, y, qRgb(60 * x, 100 * y, 200));
        c.drawBitmap(QRect(1300, 500, 400, 300), image);
        printer.endDoc();
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    PagePrinter printer;
};

TEST_F(WmfTest, our_reader_reads_our_pages_back_into_the_same_operations)
{
    const Page& page = printer.document().pages.at(0);
    const WmfReadResult read = readWmf(writeWmf(page, printer.device()));
    ASSERT_TRUE(read.picture) << read.error.toStdString();
    EXPECT_EQ(read.picture->windowOrigin, QPoint(0, 0));
    EXPECT_EQ(read.picture->windowExtent, QSize(2400, 3150));
    EXPECT_EQ(read.picture->unitsPerInch, 300);
    const auto& back = read.picture->ops;
    ASSERT_EQ(back.size(), page.ops.size());
    for (size_t i = 0; i < back.size(); ++i) {
        const PageOp& a = page.ops[i];
        const PageOp& b = back[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(b.kind, a.kind);
        EXPECT_EQ(b.from, a.from);
        if (a.kind == OpKind::Text) {
            EXPECT_EQ(b.text, a.text);
            EXPECT_EQ(b.font, a.font);
            EXPECT_EQ(resolveColour(b.textColour), resolveColour(a.textColour));
            EXPECT_EQ(b.brushSolid, a.brushSolid);
            if (a.brushSolid) {
                EXPECT_EQ(b.brushColour, a.brushColour);
            }
            continue;
        }
        EXPECT_EQ(b.to, a.to);
        if (a.kind == OpKind::Bitmap) {
            EXPECT_EQ(b.image.convertToFormat(QImage::Format_RGB32), a.image.convertToFormat(QImage::Format_RGB32));
            continue;
        }
        EXPECT_EQ(b.penColour, a.penColour);
        EXPECT_EQ(b.penWidth, a.penWidth);
        EXPECT_EQ(b.corner, a.corner);
        if (a.kind != OpKind::Line) {
            EXPECT_EQ(b.brushSolid, a.brushSolid);
        }
    }
}

TEST_F(WmfTest, headers_checksum_and_object_slots_are_consistent)
{
    PageCanvas& c = printer.canvas();
    printer.beginDoc();
    for (int i = 0; i < 10; ++i) {
        c.setPenColour(ColourValue(i * 20));
        c.lineTo({i * 10, 100});
    }
    printer.endDoc();
    const QByteArray wmf = writeWmf(printer.document().pages.at(0), printer.device());
    ASSERT_GT(wmf.size(), 40);
    EXPECT_EQ(qFromLittleEndian<quint32>(wmf.constData()), 0x9AC6CDD7u);
    quint16 sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= word(wmf, i);
    EXPECT_EQ(word(wmf, 10), sum);
    EXPECT_EQ(word(wmf, 5), 2400); // the printable page: 8 x 10.5 in at 300 dpi
    EXPECT_EQ(word(wmf, 6), 3150);
    EXPECT_EQ(word(wmf, 7), 300); // units per inch
    EXPECT_EQ(word(wmf, 12), 9);  // header size
    EXPECT_EQ(qFromLittleEndian<quint32>(wmf.constData() + 28), quint32((wmf.size() - 22) / 2));
    EXPECT_LE(word(wmf, 16), 3); // ten pens share two slots, the brush a third
    EXPECT_EQ(wmf.right(6), QByteArray("\x03\x00\x00\x00\x00\x00", 6));
}

/// Runs a tool; returns its stderr and whether it exited normally.
std::pair<bool, QString> run(const QString& program, const QStringList& args, int timeoutMs = 120000)
{
    QProcess p;
    p.start(program, args);
    const bool ok = p.waitForFinished(timeoutMs) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return {ok, QString::fromLocal8Bit(p.readAllStandardError())};
}

TEST_F(WmfTest, libwmf_accepts_our_pages)
{
    ASSERT_TRUE(savePageWmf(printer.document(), 1, path("p1.wmf")).isEmpty());
    const auto [ok, err] = run(QStringLiteral("wmf2svg"), {QStringLiteral("-o"), path("p1.svg"), path("p1.wmf")});
    EXPECT_TRUE(ok);
    EXPECT_FALSE(err.contains(QStringLiteral("ERROR"))) << err.toStdString();
    QFile svg(path("p1.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_TRUE(text.contains("Glucose"));
    EXPECT_TRUE(text.contains("105 mg/dL"));
}

double blankness(const QImage& image)
{
    qint64 white = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            white += qGray(image.pixel(x, y)) > 250;
    return double(white) / (qint64(image.width()) * image.height());
}

QRect inkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 250) box |= QRect(x, y, 1, 1);
    return box;
}

/// Mean colour distance of two pictures cut into cells: small when the same shapes sit in the same places.
double cellDistance(const QImage& a, const QImage& b, QSize cells)
{
    const QImage sa = a.scaled(cells, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage sb = b.scaled(cells, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double total = 0;
    for (int y = 0; y < cells.height(); ++y) {
        for (int x = 0; x < cells.width(); ++x) {
            const QRgb p = sa.pixel(x, y), q = sb.pixel(x, y);
            total +=
                (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q))) / 3.0;
        }
    }
    return total / (cells.width() * cells.height());
}

TEST_F(WmfTest, libreoffice_reads_our_pages_and_our_reader_draws_its_pictures)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) GTEST_SKIP() << "soffice is not installed";
    ASSERT_TRUE(savePageWmf(printer.document(), 1, path("ours.wmf")).isEmpty());
    ASSERT_TRUE(QFile::copy(sourceFile(QStringLiteral("data/lo_shapes.wmf")), path("theirs.wmf")));
    const auto [ok, err] =
        run(soffice, {QStringLiteral("-env:UserInstallation=file://") + path("profile"), QStringLiteral("--headless"),
                      QStringLiteral("--convert-to"), QStringLiteral("png"), QStringLiteral("--outdir"), path("png"),
                      path("ours.wmf"), path("theirs.wmf")});
    ASSERT_TRUE(ok) << err.toStdString();

    const QImage oursByThem(path("png/ours.png"));
    ASSERT_FALSE(oursByThem.isNull());
    EXPECT_LT(blankness(oursByThem), 0.995);

    // data/lo_shapes.wmf is LibreOffice's conversion of data/lo_shapes.svg.
    // The foreign picture: a yellow 400 x 300 background with shapes and text; compare where
    // LibreOffice put it on its page with our rendering at the same size.
    const QImage theirs(path("png/theirs.png"));
    ASSERT_FALSE(theirs.isNull());
    const QRect box = inkBox(theirs);
    ASSERT_TRUE(box.isValid());
    const QImage theirPicture = theirs.copy(box).convertToFormat(QImage::Format_RGB32);

    const WmfReadResult read = readWmfFile(path("theirs.wmf"));
    ASSERT_TRUE(read.picture) << read.error.toStdString();
    QImage ours(box.size(), QImage::Format_RGB32);
    ours.fill(Qt::white);
    {
        QPainter painter(&ours);
        painter.setRenderHint(QPainter::Antialiasing);
        playPicture(painter, *read.picture, QRectF(QPointF(0, 0), box.size()));
    }
    ours.save(path("ours_of_theirs.png"));
    EXPECT_LT(cellDistance(ours, theirPicture, {20, 15}), 12.0);
    // A blank picture would be far off: the measure tells the shapes apart.
    QImage blank(box.size(), QImage::Format_RGB32);
    blank.fill(QColor(0xff, 0xff, 0x80));
    EXPECT_GT(cellDistance(blank, theirPicture, {20, 15}), 20.0);
}

TEST(WmfReaderTest, damaged_files_fail_or_shorten_without_crashing)
{
    QByteArray good;
    {
        test::ensureGuiApp();
        PagePrinter printer;
        printer.beginDoc();
        printer.writeLine(QStringLiteral("x"));
        printer.canvas().rectangle({0, 0}, {10, 10});
        printer.endDoc();
        good = writeWmf(printer.document().pages.at(0), printer.device());
    }
    const struct {
        const char* name;
        QByteArray bytes;
        bool readable;
    } cases[] = {
        {"empty", QByteArray(), false},
        {"placeable header only", good.left(22), false},
        {"bad header size", good.left(22) + QByteArray("\x01\x00\x05\x00", 4) + good.mid(26), false},
        {"truncated in a record", good.left(good.size() - 20), true},
        {"record size zero", good.left(40) + QByteArray(6, '\0'), true},
        {"record size beyond the end", good.left(40) + QByteArray("\xff\xff\xff\x7f\x21\x05", 6), true},
        {"garbage", QByteArray(1000, '\xA5'), false},
    };
    for (const auto& c : cases) {
        const WmfReadResult r = readWmf(c.bytes);
        EXPECT_EQ(bool(r.picture), c.readable) << c.name;
        EXPECT_EQ(r.error.isEmpty(), c.readable) << c.name;
    }
}

TEST(WmfReaderTest, a_bitmap_lying_about_its_size_is_skipped)
{
    // STRETCHDIB of a 30000 x 30000 24-bit DIB that carries 12 bytes of pixels.
    QByteArray rec;
    auto u16 = [&](int v) { rec.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    auto u32 = [&](quint32 v) {
        u16(int(v & 0xFFFF));
        u16(int(v >> 16));
    };
    u32(0x00CC0020);
    u16(0);
    u16(100);
    u16(100);
    u16(0);
    u16(0);
    u16(50);
    u16(50);
    u16(0);
    u16(0);
    u32(40);
    u32(30000);
    u32(30000);
    u16(1);
    u16(24);
    u32(0);
    u32(0);
    u32(0);
    u32(0);
    u32(0);
    u32(0);
    rec.append(12, '\x7f');
    QByteArray wmf;
    auto w16 = [&](int v) { wmf.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    w16(1);
    w16(9);
    w16(0x300);
    w16(0);
    w16(0);
    w16(1);
    w16(0);
    w16(0);
    w16(0);
    w16(5);
    w16(0);
    w16(0x020C);
    w16(100);
    w16(100);
    const int words = 3 + int(rec.size() / 2);
    w16(words & 0xFFFF);
    w16(words >> 16);
    w16(0x0F43);
    wmf += rec;
    w16(3);
    w16(0);
    w16(0);
    const WmfReadResult r = readWmf(wmf);
    ASSERT_TRUE(r.picture);
    EXPECT_TRUE(r.picture->ops.empty());
}

} // namespace
