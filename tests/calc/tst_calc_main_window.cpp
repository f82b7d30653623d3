#include <QtTest>
class TestCalcMainWindow : public QObject { Q_OBJECT private slots: void placeholder() {} };
QTEST_MAIN(TestCalcMainWindow)
#include "tst_calc_main_window.moc"
