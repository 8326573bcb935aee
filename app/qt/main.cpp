// Kalvet on Qt: opens the one window and runs until it is closed. Takes no options of its own.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/qt/font_preload.h"
#include "app/qt/main_window.h"
#ifdef KALVET_STARTUP_PROBE
#include "app/qt/first_paint.h"
#endif

namespace {

const char* g_program = "kalvet";
QtMessageHandler g_previousHandler = nullptr;

void PrintHeadlessHint(const char* why) {
    std::fprintf(stderr,
                 "kalvet: %s; run it in a graphical session, or without a screen as: "
                 "xvfb-run -a %s\n",
                 why, g_program);
}

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// True when Qt has somewhere to show a window. macOS always has; there DISPLAY means nothing.
bool HasDisplay(int argc, char* argv[]) {
#ifdef __APPLE__
    (void)argc;
    (void)argv;
    return true;
#else
    if (IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM")) return true;
    for (int i = 1; i < argc; ++i) {
        // Qt's own "-platform offscreen" and the like choose a display without the environment.
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            return true;
        }
    }
    return false;
#endif
}

// Qt ends a failed start (a DISPLAY nobody answers, a missing platform plugin) with a fatal
// message and an abort, which leaves a core dump and a trace that explain nothing to a user.
void StartUpMessageHandler(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (type != QtFatalMsg) {
        if (g_previousHandler != nullptr) g_previousHandler(type, context, message);
        return;
    }
    PrintHeadlessHint("the window cannot open on this display");
    std::_Exit(1);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 0 && argv[0] != nullptr) g_program = argv[0];
    if (!HasDisplay(argc, argv)) {
        PrintHeadlessHint("no graphical session (neither DISPLAY nor WAYLAND_DISPLAY is set)");
        return 1;
    }

    kalvet::qt::FontConfigPreload fontConfig;
    g_previousHandler = qInstallMessageHandler(StartUpMessageHandler);
    QApplication app(argc, argv);
    qInstallMessageHandler(g_previousHandler);

    fontConfig.Wait();
    kalvet::qt::PrepareApplication();
    kalvet::qt::MainWindow window;
#ifdef KALVET_STARTUP_PROBE
    kalvet::qt::WatchFirstPaint(window);
#endif
    window.show();
    return app.exec();
}
