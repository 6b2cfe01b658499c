// A Qt plugin for tests that run the real desktop program in a child process on the
// offscreen platform, where nobody sees its windows: every message box is written to
// stderr when it shows ("message box: TEXT") and answered with its default button a moment
// later ("answered: TEXT"). A box that goes away before the answer (the program ended under
// it) never says "answered". Loaded by QT_PLUGIN_PATH and QT_QPA_GENERIC_PLUGINS=answerboxes.
#include <QAbstractButton>
#include <QApplication>
#include <QGenericPlugin>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace {

void Say(const char* what, const QString& text)
{
    std::fprintf(stderr, "%s: %s\n", what, text.toUtf8().constData());
    std::fflush(stderr);
}

class TBoxAnswerer : public QObject {
public:
    TBoxAnswerer() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (!box || event->type() != QEvent::Show)
            return false;
        Say("message box", box->text());
        // Long enough for anything queued behind the box to run first, as a user's answer is.
        QTimer::singleShot(300, box, [box] {
            QAbstractButton* answer = box->defaultButton();
            if (!answer)
                answer = box->buttons().value(0);
            if (!answer)
                return;
            Say("answered", box->text());
            answer->click();
        });
        return false;
    }
};

} // namespace

class TAnswerBoxesPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "answer-boxes.json")
public:
    QObject* create(const QString& key, const QString&) override
    {
        return key.compare(QLatin1String("answerboxes"), Qt::CaseInsensitive) == 0 ? new TBoxAnswerer : nullptr;
    }
};

#include "AnswerMessageBoxes.moc"
