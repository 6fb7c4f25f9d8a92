#include "pages/pagenames.h"
#include "testing.h"

#include <QtTest>

using namespace lumora;
using namespace lumora::pages;

class PageNamesTest : public QObject {
    Q_OBJECT
private slots:
    void names_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("guide screen") << guidePage(Copy::Screen, 3) << "wmf\\guide3.wmf";
        QTest::newRow("guide print") << guidePage(Copy::Print, 5) << "wmf2\\guide5.wmf";
        QTest::newRow("key facts a")
            << setPage(Copy::Screen, "key Tiberan", 1) << "wmf\\key Tiberana.wmf";
        QTest::newRow("notes b print") << setPage(Copy::Print, "malten", 2) << "wmf2\\maltenb.wmf";
        QTest::newRow("page d") << setPage(Copy::Screen, "Tiberan", 4) << "wmf\\Tiberand.wmf";
        QTest::newRow("no page e") << setPage(Copy::Screen, "Tiberan", 5) << "";
        QTest::newRow("caption") << caption(2, 3) << "Page 2 of 3";
        QTest::newRow("frame 7") << logoFrame(7) << "logo\\bren0007.gif";
        QTest::newRow("frame 19") << logoFrame(19) << "logo\\bren0019.gif";
    }
    void names() {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(name, expected);
    }

    void framesLoop() {
        QCOMPARE(nextLogoFrame(0), 1);
        QCOMPARE(nextLogoFrame(18), 19);
        QCOMPARE(nextLogoFrame(19), 0);
        int f = 5;
        for (int i = 0; i < LogoFrames; ++i)
            f = nextLogoFrame(f);
        QCOMPARE(f, 5);
    }
};

LUMORA_TEST(PageNamesTest)
#include "tst_pagenames.moc"
