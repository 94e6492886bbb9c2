#pragma once

#include "TStoreError.h"

#include <QString>
#include <QTest>

// Fails the test unless `statement` throws the store's error with
// `expectedMessage`.
#define QVERIFY_STORE_ERROR(statement, expectedMessage) \
    LEXARAN_STORE_ERROR_CHECK(statement, expectedMessage, )

// The same, and the error must carry the engine's result code `expectedCode`.
#define QVERIFY_STORE_ERROR_CODE(statement, expectedMessage, expectedCode) \
    LEXARAN_STORE_ERROR_CHECK(statement, expectedMessage, QCOMPARE(error.code(), int(expectedCode));)

#define LEXARAN_STORE_ERROR_CHECK(statement, expectedMessage, codeCheck)                   \
    do {                                                                                   \
        try {                                                                              \
            statement;                                                                     \
            QFAIL("no error from " #statement);                                            \
        } catch (const lexaran::store::TStoreError &error) {                               \
            QCOMPARE(error.message(), QString(expectedMessage));                           \
            codeCheck                                                                      \
        }                                                                                  \
    } while (false)
