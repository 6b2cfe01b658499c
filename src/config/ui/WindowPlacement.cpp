#include "config/ui/WindowPlacement.h"

#include <QScreen>
#include <QWidget>

namespace {

constexpr int ShowNormal = 1, ShowMinimized = 2, ShowMaximized = 3;

int ScreenDpi(const QWidget& window)
{
    const QScreen* screen = window.screen();
    return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}

// "NormPos(1920x1080)" for the window's current screen.
QString ScreenKey(const char* key, const QWidget& window)
{
    const QScreen* screen = window.screen();
    const QSize size = screen ? screen->geometry().size() : QSize();
    return QStringLiteral("%1(%2x%3)").arg(QLatin1String(key)).arg(size.width()).arg(size.height());
}

QString ReadPosition(const TIniFile& ini, const QString& section, const char* key, const QWidget& window)
{
    const QString sized = ini.ReadString(section, ScreenKey(key, window), {});
    return sized.isEmpty() ? ini.ReadString(section, QLatin1String(key), {}) : sized;
}

void WritePosition(TIniFile& ini, const QString& section, const char* key, const QWidget& window, const QString& value)
{
    ini.WriteString(section, QLatin1String(key), QuoteForStore(value));
    ini.WriteString(section, ScreenKey(key, window), QuoteForStore(value));
}

QRect NormalRect(const QWidget& window)
{
    return window.isMaximized() || window.isMinimized() ? window.normalGeometry() : window.geometry();
}

// Parts of "left,top,right,bottom" that are missing or no number keep the current edge.
void ApplyNormPos(const QString& text, QWidget& window)
{
    const QRect current = NormalRect(window);
    int edges[4] = {current.left(), current.top(), current.left() + current.width(), current.top() + current.height()};
    const QStringList parts = text.split(u',');
    for (int i = 0; i < 4 && i < parts.size(); ++i) {
        bool ok = false;
        const int v = parts[i].trimmed().toInt(&ok);
        if (ok) edges[i] = v;
    }
    if (edges[0] < edges[2]) window.setGeometry(edges[0], edges[1], edges[2] - edges[0], edges[3] - edges[1]);
}

void ApplyShowCmd(int showCmd, QWidget& window)
{
    Qt::WindowStates state = window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (showCmd == 2 || showCmd == 6 || showCmd == 7) state |= Qt::WindowMinimized;
    else if (showCmd == ShowMaximized) state |= Qt::WindowMaximized;
    window.setWindowState(state);
}

} // namespace

void RestorePlacement(const TIniFile& ini, const QString& section, QWidget& window)
{
    const QString normPos = ReadPosition(ini, section, "NormPos", window);
    const QString minMaxPos = ReadPosition(ini, section, "MinMaxPos", window);
    const int dpi = ScreenDpi(window);
    if ((!normPos.isEmpty() || !minMaxPos.isEmpty()) && ini.ReadInteger(section, "PixelsPerInch", dpi) == dpi)
        ApplyNormPos(normPos, window);
    ApplyShowCmd(ini.ReadInteger(section, "ShowCmd", 0), window);
}

void StorePlacement(TIniFile& ini, const QString& section, const QWidget& window)
{
    const QRect r = NormalRect(window);
    const int showCmd = window.isMinimized() ? ShowMinimized : window.isMaximized() ? ShowMaximized : ShowNormal;
    ini.WriteInteger(section, "FormVersion", 0);
    ini.WriteInteger(section, "Flags", 0);
    ini.WriteInteger(section, "ShowCmd", showCmd);
    ini.WriteInteger(section, "PixelsPerInch", ScreenDpi(window));
    WritePosition(ini, section, "MinMaxPos", window, QStringLiteral("-1,-1,-1,-1"));
    WritePosition(ini, section, "NormPos", window,
                  QStringLiteral("%1,%2,%3,%4").arg(r.left()).arg(r.top()).arg(r.left() + r.width()).arg(r.top() + r.height()));
}
