// The calculator's tool icons: at the sizes drawn ahead they are what Qt's SVG engine draws of their
// SVGs, in every mode, and at any other size the SVG is drawn.
#include "calc/ToolIcon.h"

#include <QtTest>

class TestToolIcons : public QObject {
    Q_OBJECT
private slots:
    void eachIconIsItsDrawing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("pixels");
        for (const QString name : {"center", "conversion", "datetime", "ok", "percentages"})
            for (const int pixels : {16, 32, 24, 13})
                QTest::addRow("%s at %d pixels", qPrintable(name), pixels) << name << pixels;
    }

    void eachIconIsItsDrawing() {
        QFETCH(QString, name);
        QFETCH(int, pixels);
        const QIcon drawing(QStringLiteral(":/calc/%1.svg").arg(name));
        const QIcon icon = calc::ToolIcon(name);
        for (const auto mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Selected}) {
            const QImage expected = drawing.pixmap(QSize(pixels, pixels), 1.0, mode).toImage();
            QVERIFY(!expected.isNull());
            QCOMPARE(icon.pixmap(QSize(pixels, pixels), 1.0, mode).toImage(), expected);
            // Drawn on a screen of scale 2, the logical size asks for twice the pixels.
            QCOMPARE(icon.pixmap(QSize(pixels, pixels), 2.0, mode).toImage(),
                     drawing.pixmap(QSize(pixels, pixels), 2.0, mode).toImage());
        }
    }
};

QTEST_MAIN(TestToolIcons)
#include "tst_tool_icons.moc"
