#include "ComApartment.h"

#include <QTest>

#include <thread>

#ifdef _WIN32
#include <objbase.h>
#endif

class tst_ComApartment : public QObject
{
    Q_OBJECT

private slots:
    void apartmentForTheObjectsLife();
    void multithreadedThreadKept();
};

#ifdef _WIN32
namespace {

// The calling thread's apartment type, or -1 when the runtime is not
// initialised on it.
int ApartmentType()
{
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    return SUCCEEDED(CoGetApartmentType(&type, &qualifier)) ? int(type) : -1;
}

} // namespace
#endif

void tst_ComApartment::apartmentForTheObjectsLife()
{
#ifdef _WIN32
    // A thread of its own: the test's main thread has the runtime from Qt.
    int before = 0, during = 0, after = 0;
    bool initialised = false;
    std::thread([&] {
        before = ApartmentType();
        {
            const TComApartment apartment;
            initialised = apartment.Initialised();
            during = ApartmentType();
        }
        after = ApartmentType();
    }).join();
    QCOMPARE(before, -1);
    QVERIFY(initialised);
    // The process's first single-threaded apartment is its main one.
    QVERIFY2(during == APTTYPE_STA || during == APTTYPE_MAINSTA, qPrintable(QString::number(during)));
    QCOMPARE(after, -1);
#else
    QSKIP("no component-object runtime on this platform; the object does nothing here");
#endif
}

void tst_ComApartment::multithreadedThreadKept()
{
#ifdef _WIN32
    // A thread already in the multithreaded apartment stays there, and the
    // object releases nothing it did not get.
    int during = 0, after = 0;
    bool initialised = true;
    std::thread([&] {
        if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)))
            return;
        {
            const TComApartment apartment;
            initialised = apartment.Initialised();
            during = ApartmentType();
        }
        after = ApartmentType();
        CoUninitialize();
    }).join();
    QVERIFY(!initialised);
    QCOMPARE(during, int(APTTYPE_MTA));
    QCOMPARE(after, int(APTTYPE_MTA));
#else
    QSKIP("no component-object runtime on this platform; the object does nothing here");
#endif
}

QTEST_GUILESS_MAIN(tst_ComApartment)
#include "tst_comapartment.moc"
