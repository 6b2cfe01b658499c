// An exception escaping an event handler is shown and the program carries on.
#include "app/UserReport.h"
#include "app/ui/VybitorApplication.h"
#include "model/Errors.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(GlobalErrorHandler, ShowsTheErrorTextAndTheNextEventStillRuns)
{
    RecordingUserReport report;
    const ScopedUserReport use(&report);
    ASSERT_TRUE(qobject_cast<TVybitorApplication*>(QCoreApplication::instance()));
    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        if (++clicks == 1)
            throw VybitorError(QStringLiteral("Chyba při čtení"));
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(report.messages, QStringList{"Chyba při čtení"});
    EXPECT_EQ(clicks, 2);
}

} // namespace
