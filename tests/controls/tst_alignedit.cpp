#include "controls/AlignEdit.h"

#include <QtTest>

#include <memory>

using controls::TAlignEdit;
using controls::TAlignment;

namespace {

std::unique_ptr<TAlignEdit> ShownEdit(const QString& text) {
    auto edit = std::make_unique<TAlignEdit>();
    edit->setText(text);
    edit->setFixedSize(160, 27);
    edit->show();
    if (!QTest::qWaitForWindowExposed(edit.get()))
        qFatal("edit never shown");
    return edit;
}

// The first and last columns in which the edit draws text: pixels close to the text colour.
std::pair<int, int> InkColumns(TAlignEdit& edit) {
    const QImage image = edit.grab().toImage();
    const QColor ink = edit.palette().color(QPalette::Text);
    int first = -1;
    int last = -1;
    for (int x = 3; x < image.width() - 3; ++x)
        for (int y = 3; y < image.height() - 3; ++y) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.lightness() - ink.lightness()) < 60) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    return {first, last};
}

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

class TestAlignEdit : public QObject {
    Q_OBJECT
private slots:
    void startsLeftAligned();
    void textSitsWhereTheAlignmentSays_data();
    void textSitsWhereTheAlignmentSays();
    void changingKeepsTheTypedText();
    void settingTheSameAlignmentChangesNothing();
};

void TestAlignEdit::startsLeftAligned() {
    const TAlignEdit edit;
    QCOMPARE(edit.Alignment(), TAlignment::taLeftJustify);
    QCOMPARE(edit.alignment(), Qt::AlignLeft | Qt::AlignVCenter);
}

void TestAlignEdit::textSitsWhereTheAlignmentSays_data() {
    QTest::addColumn<TAlignment>("alignment");
    QTest::addColumn<int>("horizontal");
    // Right and centre are the other way round in the enumeration than in the classic edit styles;
    // each must still land on its own side.
    QTest::newRow("left") << TAlignment::taLeftJustify << int(Qt::AlignLeft);
    QTest::newRow("right") << TAlignment::taRightJustify << int(Qt::AlignRight);
    QTest::newRow("centre") << TAlignment::taCenter << int(Qt::AlignHCenter);
}

void TestAlignEdit::textSitsWhereTheAlignmentSays() {
    QFETCH(TAlignment, alignment);
    QFETCH(int, horizontal);
    auto edit = ShownEdit(QStringLiteral("196"));
    edit->SetAlignment(TAlignment::taCenter);
    edit->SetAlignment(alignment);
    QCOMPARE(edit->alignment(), Qt::Alignment(horizontal) | Qt::AlignVCenter);

    const auto [first, last] = InkColumns(*edit);
    QVERIFY(first > 0);
    const int middle = edit->width() / 2;
    switch (alignment) {
    case TAlignment::taLeftJustify:
        QVERIFY2(first < 10, qPrintable(QString::number(first)));
        break;
    case TAlignment::taRightJustify:
        QVERIFY2(last > edit->width() - 12, qPrintable(QString::number(last)));
        break;
    case TAlignment::taCenter:
        QVERIFY2(qAbs((first + last) / 2 - middle) <= 3, qPrintable(QString("%1..%2").arg(first).arg(last)));
        break;
    }
}

void TestAlignEdit::changingKeepsTheTypedText() {
    auto edit = ShownEdit(QString());
    edit->setMaxLength(3);
    edit->setFocus();
    QTest::keyClicks(edit.get(), QStringLiteral("2507"));
    edit->SetAlignment(TAlignment::taCenter);
    QCOMPARE(edit->text(), QStringLiteral("250"));
    QCOMPARE(edit->maxLength(), 3);
    QTest::keyClick(edit.get(), Qt::Key_Backspace);
    edit->SetAlignment(TAlignment::taRightJustify);
    QCOMPARE(edit->text(), QStringLiteral("25"));
    QCOMPARE(edit->Alignment(), TAlignment::taRightJustify);
}

void TestAlignEdit::settingTheSameAlignmentChangesNothing() {
    auto edit = ShownEdit(QStringLiteral("196"));
    edit->SetAlignment(TAlignment::taCenter);
    QCoreApplication::processEvents();
    PaintCounter counter;
    edit->installEventFilter(&counter);

    edit->SetAlignment(TAlignment::taCenter);
    QTest::qWait(50);
    QCOMPARE(counter.paints, 0);

    edit->SetAlignment(TAlignment::taLeftJustify);
    QTRY_VERIFY(counter.paints > 0);
}

QTEST_MAIN(TestAlignEdit)
#include "tst_alignedit.moc"
