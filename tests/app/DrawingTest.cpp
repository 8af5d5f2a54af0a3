#include "App/CallTexts.h"
#include "App/DateTimeFormats.h"
#include "App/controls/Colors.h"
#include "App/controls/ImageTint.h"
#include "App/controls/KTSlider.h"
#include "ui/support/QtTestMain.h"

#include <QTest>

#include <limits>

// The pure drawing and text helpers the screens share.
class DrawingTest : public QObject {
    Q_OBJECT

private slots:
    void colorsFromNumbersAndText_data() {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QColor>("expected");
        const QColor orange(0xFF, 0x7F, 0x2F);
        QTest::newRow("code") << Colors::colorWithHexCode(0xFF7F2F) << orange;
        QTest::newRow("code ignores the top byte") << Colors::colorWithHexCode(0xABFF7F2F) << orange;
        QTest::newRow("null text") << Colors::colorWithHexString(QString()) << QColor(Qt::black);
        QTest::newRow("empty text") << Colors::colorWithHexString(QStringLiteral("")) << QColor(Qt::black);
        QTest::newRow("no digits") << Colors::colorWithHexString(QStringLiteral("zz")) << QColor(Qt::black);
        QTest::newRow("digits") << Colors::colorWithHexString(QStringLiteral("ff7f2f")) << orange;
        QTest::newRow("0x") << Colors::colorWithHexString(QStringLiteral("0xff7f2f")) << orange;
        QTest::newRow("blank first") << Colors::colorWithHexString(QStringLiteral(" ff7f2f")) << orange;
        QTest::newRow("trailing text") << Colors::colorWithHexString(QStringLiteral("ff7f2fzz")) << orange;
        QTest::newRow("past 32 bits")
            << Colors::colorWithHexString(QStringLiteral("123456789")) << QColor(Qt::white);
    }
    void colorsFromNumbersAndText() {
        QFETCH(QColor, color);
        QFETCH(QColor, expected);
        QCOMPARE(color.rgba(), expected.rgba());
    }

    // The tab bar's two tints of a white glyph: grey for the others, orange-red for the lit tab;
    // transparent pixels stay transparent, a half-covered one keeps its alpha.
    void tintKeepsAlphaAndColours() {
        QImage glyph(3, 1, QImage::Format_ARGB32);
        glyph.setPixel(0, 0, qRgba(255, 255, 255, 255));
        glyph.setPixel(1, 0, qRgba(255, 255, 255, 0));
        glyph.setPixel(2, 0, qRgba(255, 255, 255, 128));
        glyph.setDevicePixelRatio(2);

        const QImage grey = imageTintedWithColor(glyph, Colors::colorWithHexCode(Colors::otherTabTint));
        const QRgb solid = grey.pixel(0, 0);
        QVERIFY(qAbs(qRed(solid) - 163) <= 1 && qAbs(qGreen(solid) - 163) <= 1 &&
                qAbs(qBlue(solid) - 163) <= 1);
        QCOMPARE(qAlpha(grey.pixel(1, 0)), 0);
        QCOMPARE(qAlpha(grey.pixel(2, 0)), 128);
        QCOMPARE(grey.devicePixelRatio(), 2.0);

        const QRgb lit =
            imageTintedWithColor(glyph, Colors::colorWithHexCode(Colors::selectedTabTint)).pixel(0, 0);
        QVERIFY(qRed(lit) > qGreen(lit));
        QVERIFY(qGreen(lit) > qBlue(lit));

        const QImage copy = imageTintedWithColor(glyph, QColor());
        QCOMPARE(copy, glyph);
        QVERIFY(copy.constBits() != glyph.constBits());
    }

    void sliderBar() {
        const QRectF bar(4, 10, 100, 1);
        QCOMPARE(KTSlider::filledRect(bar, 0, 0, 100, 108).width(), 0.0);
        QCOMPARE(KTSlider::filledRect(bar, 100, 0, 100, 108).width(), 100.0);
        QCOMPARE(KTSlider::filledRect(bar, 50, 0, 100, 108), QRectF(4, 12, 50, 1));
        // A range of one value and values past the ends stay within the bar.
        QCOMPARE(KTSlider::fraction(5, 5, 5), 0.0);
        QCOMPARE(KTSlider::fraction(150, 0, 100), 1.0);
        QCOMPARE(KTSlider::fraction(-40, 0, 100), 0.0);
    }

    void sharedTexts() {
        QCOMPARE(linePartyStateToString(0), QStringLiteral("NONE"));
        QCOMPARE(linePartyStateToString(17), QStringLiteral("TRANFERRING ACTIVE"));
        QCOMPARE(linePartyStateToString(27), QStringLiteral("BLIND TRANSFERRING IN PROCESS"));
        QCOMPARE(linePartyStateToString(28), QStringLiteral(""));
        QCOMPARE(linePartyStateToString(-1), QStringLiteral(""));
        QCOMPARE(phoneTypeToString(0), QStringLiteral("Home"));
        QCOMPARE(phoneTypeToString(6), QStringLiteral("Other"));
        QCOMPARE(phoneTypeToString(7), QStringLiteral(""));
        QCOMPARE(durationToString(0), QStringLiteral("00:00:00"));
        QCOMPARE(durationToString(3725), QStringLiteral("01:02:05"));
        QCOMPARE(durationToString(360000), QStringLiteral("100:00:00"));
        QCOMPARE(durationToString(-5), QStringLiteral("00:00:00"));
        QCOMPARE(durationToString(std::numeric_limits<int64_t>::max()),
                 QStringLiteral("2562047788015215:30:07"));
    }

    void dateTimeTexts_data() {
        QTest::addColumn<QString>("dateName");
        QTest::addColumn<QString>("timeName");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("expected");
        const QString defaultDate = QStringLiteral("Day, Month Date, Year");
        const QString defaultTime = QStringLiteral("HH:MM AM/PM");
        QTest::newRow("defaults after midnight") << defaultDate << defaultTime << QTime(0, 30, 5)
                                                 << QStringLiteral("Sunday, December 6, 2026 12:30 AM");
        QTest::newRow("defaults at noon") << defaultDate << defaultTime << QTime(12, 0)
                                          << QStringLiteral("Sunday, December 6, 2026 12:00 PM");
        QTest::newRow("date first, seconds")
            << QStringLiteral("Day, Date Month, Year") << QStringLiteral("HH:MM:SS AM/PM") << QTime(0, 30, 5)
            << QStringLiteral("Sunday, 6 December, 2026 12:30:05 AM");
        QTest::newRow("24 hours") << QStringLiteral("DD/MM/YYYY") << QStringLiteral("HH:MM (24 Hour Clock)")
                                  << QTime(0, 30, 5) << QStringLiteral("06/12/2026 00:30");
        QTest::newRow("unknown time") << QStringLiteral("DD/MM/YY") << QStringLiteral("hh") << QTime(0, 30, 5)
                                      << QStringLiteral("06/12/26 00:30:05");
        QTest::newRow("unknown date") << QStringLiteral("MM/DD/YY") << QStringLiteral("HH:MM (24 Hour Clock)")
                                      << QTime(22, 7) << QStringLiteral("12/06/26 22:07");
        QTest::newRow("US date, evening") << QStringLiteral("MM/DD/YYYY") << defaultTime << QTime(22, 7)
                                          << QStringLiteral("12/06/2026 10:07 PM");
    }
    void dateTimeTexts() {
        QFETCH(QString, dateName);
        QFETCH(QString, timeName);
        QFETCH(QTime, time);
        QFETCH(QString, expected);
        // The user's own locale must not leak into the names or the AM/PM marks.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const DateTimeFormats formats(dateName, timeName);
        QCOMPARE(formats.dateTime(QDateTime(QDate(2026, 12, 6), time)), expected);
        QLocale::setDefault(QLocale::c());
    }
};

TESSMARK_QTEST(DrawingTest)
#include "DrawingTest.moc"
