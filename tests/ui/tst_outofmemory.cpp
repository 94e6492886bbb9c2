#include <QTest>
class tst_OutOfMemory : public QObject { Q_OBJECT };
QTEST_MAIN(tst_OutOfMemory)
#include "tst_outofmemory.moc"
