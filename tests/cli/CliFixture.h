#pragma once
// A fresh emulator (over TCP or its pty, by the test parameter), an empty configuration
// file and a temporary folder for what a command writes.

#include "cli/CliRun.h"
#include "support/TesterSimProcess.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class CliAgainstSim : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        QFile ini(Path(QStringLiteral("cli.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        StartSim();
    }

    void StartSim(const QStringList& faults = {}, const QString& dataFolder = TesterSimProcess::SamplesFolder())
    {
        sim_.reset();
        sim_ = std::make_unique<TesterSimProcess>(faults, GetParam(), dataFolder);
        ASSERT_TRUE(sim_->Started());
    }

    // The command with the link and the configuration file in front.
    TCliRun Run(const QStringList& command, const char* locale = "cs_CZ.UTF-8") const
    {
        return RunCli(LinkOptions(*sim_) + QStringList{QStringLiteral("--config"), Path(QStringLiteral("cli.ini"))} + command,
                      locale);
    }

    QString Path(const QString& name) const { return dir_.filePath(name); }

    static QByteArray FileBytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The list's lines, split into their cells.
    QList<QStringList> Listed(bool hidden = false) const
    {
        QStringList command{QStringLiteral("list")};
        if (hidden)
            command << QStringLiteral("--hidden");
        const TCliRun run = Run(command);
        EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
        QList<QStringList> rows;
        for (const QString& line : run.Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            rows << line.split(QLatin1Char('\t'));
        return rows;
    }

    QTemporaryDir dir_;
    std::unique_ptr<TesterSimProcess> sim_;
};

inline std::string TransportName(const ::testing::TestParamInfo<bool>& info)
{
    return info.param ? "Pty" : "Tcp";
}
