#include <QtTest>
class TestSharedPlumbing : public QObject { Q_OBJECT private slots: void placeholder() {} };
QTEST_MAIN(TestSharedPlumbing)
#include "tst_shared_plumbing.moc"
