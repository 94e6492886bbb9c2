#include <QTest>
class tst_Form1 : public QObject { Q_OBJECT };
QTEST_MAIN(tst_Form1)
#include "tst_form1.moc"
