// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include <csignal>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const char* Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

// True when a local X server answers on the socket of DISPLAY ":N" (or
// ":N.S"); a remote display, or one named otherwise, is left to Qt.
bool XServerAnswers(const std::string& display)
{
    if (display.empty() || display.front() != ':')
        return true;
    const std::string number = display.substr(1, display.find('.') - 1);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
        return true;
    const std::string path = "/tmp/.X11-unix/X" + number;
    for (const bool abstract : {false, true}) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::size_t offset = abstract ? 1 : 0; // the abstract name starts with a 0 byte
        std::memcpy(address.sun_path + offset, path.data(), path.size());
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return true;
        const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset +
                                                   path.size() + (abstract ? 0 : 1));
        const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0;
        close(fd);
        if (connected)
            return true;
    }
    return false;
}

// True when there is a screen for the windows: the platform chosen by
// QT_QPA_PLATFORM, or else a Wayland or X display that answers.
bool DisplayFound()
{
    const char* platform = Variable("QT_QPA_PLATFORM");
    const std::string chosen = platform != nullptr ? platform : "";
    if (!chosen.empty() && chosen.rfind("xcb", 0) != 0 && chosen.rfind("wayland", 0) != 0)
        return true; // offscreen, vnc, eglfs and the like need no display
    if (chosen.rfind("wayland", 0) != 0) {
        if (const char* display = Variable("DISPLAY");
            display != nullptr && XServerAnswers(display))
            return true;
    }
    return chosen.rfind("xcb", 0) != 0 && Variable("WAYLAND_DISPLAY") != nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    // A write past the file-size limit then fails with its reason, rather
    // than the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    if (!DisplayFound()) {
        std::fputs("wywietrznik: nie znaleziono ekranu. Uruchom program w sesji graficznej "
                   "(ustaw zmienną DISPLAY lub WAYLAND_DISPLAY).\n",
                   stderr);
        return 1;
    }
    return RunProgram(argc, argv);
}
