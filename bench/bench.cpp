// SPDX-License-Identifier: GPL-3.0-or-later
//
// Measures Numora beside a floor program on the X display it is given, with
// no window manager, by watching the X server itself: windows being mapped
// (SubstructureNotify on the root) and drawn (DAMAGE on the root, which
// covers every window below it), keys sent with XTEST.
//   numora-bench NUMORA FLOOR [--short]
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <optional>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

constexpr char WelcomeBox[] = "Welcome...";
constexpr char IntroTitle[] = "Welcome to the numora program!";
constexpr char CardTitle[] = "Numora - Is the number you chose appearing on this card?";
constexpr char ResultTitle[] = "Numora - The number you chose is...";
constexpr double Timeout = 20000; // ms

// In another language than English the windows are told apart by the order
// they come in, not by their titles.
bool anyTitle = false;

double now()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

[[noreturn]] void die(const std::string &why)
{
    std::fprintf(stderr, "numora-bench: %s\n", why.c_str());
    std::exit(1);
}

class Display
{
public:
    Display()
    {
        m_c = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_c))
            die("cannot open the display");
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_c, m_root, XCB_CW_EVENT_MASK, &mask);
        const auto *damage = xcb_get_extension_data(m_c, &xcb_damage_id);
        if (!damage || !damage->present)
            die("the X server has no DAMAGE extension");
        m_damageEvent = damage->first_event;
        free(xcb_damage_query_version_reply(m_c, xcb_damage_query_version(m_c, 1, 1), nullptr));
        xcb_damage_damage_t id = xcb_generate_id(m_c);
        xcb_damage_create(m_c, id, m_root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        m_returnKey = keycodeFor(0xff0d);
        xcb_flush(m_c);
    }
    ~Display() { xcb_disconnect(m_c); }

    std::string name(xcb_window_t window)
    {
        const auto utf8 = atom("UTF8_STRING");
        for (xcb_atom_t property : {atom("_NET_WM_NAME"), xcb_atom_t(XCB_ATOM_WM_NAME)}) {
            auto *reply = xcb_get_property_reply(
                m_c,
                xcb_get_property(m_c, 0, window, property,
                                 property == XCB_ATOM_WM_NAME ? xcb_atom_t(XCB_ATOM_STRING) : utf8,
                                 0, 1024),
                nullptr);
            if (!reply)
                continue;
            std::string text(static_cast<const char *>(xcb_get_property_value(reply)),
                             size_t(xcb_get_property_value_length(reply)));
            free(reply);
            if (!text.empty())
                return text;
        }
        return {};
    }

    // Waits for a window with this title to be mapped; returns it with the
    // time it was seen.
    std::pair<xcb_window_t, double> waitForMap(const std::string &title, xcb_window_t other = 0)
    {
        const double deadline = now() + Timeout;
        for (;;) {
            xcb_generic_event_t *event = next(deadline, "a window named '" + title + "'");
            const double at = now();
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto window = reinterpret_cast<xcb_map_notify_event_t *>(event)->window;
                free(event);
                if (window != other && (anyTitle || name(window) == title))
                    return {window, at};
                continue;
            }
            free(event);
        }
    }

    // Waits for something to be drawn inside the window's area.
    double waitForPaint(xcb_window_t window)
    {
        auto *geometry = xcb_get_geometry_reply(m_c, xcb_get_geometry(m_c, window), nullptr);
        if (!geometry)
            die("a window vanished");
        const int x0 = geometry->x, y0 = geometry->y;
        const int x1 = x0 + geometry->width, y1 = y0 + geometry->height;
        free(geometry);
        const double deadline = now() + Timeout;
        for (;;) {
            xcb_generic_event_t *event = next(deadline, "the new window to be drawn");
            const double at = now();
            if (event->response_type == m_damageEvent + XCB_DAMAGE_NOTIFY) {
                const auto *damage = reinterpret_cast<xcb_damage_notify_event_t *>(event);
                const int x = damage->area.x, y = damage->area.y;
                const bool inside = x < x1 && x + damage->area.width > x0 && y < y1
                                    && y + damage->area.height > y0;
                free(event);
                if (inside)
                    return at;
                continue;
            }
            free(event);
        }
    }

    void pressReturn()
    {
        xcb_test_fake_input(m_c, XCB_KEY_PRESS, m_returnKey, XCB_CURRENT_TIME, m_root, 0, 0, 0);
        xcb_test_fake_input(m_c, XCB_KEY_RELEASE, m_returnKey, XCB_CURRENT_TIME, m_root, 0, 0, 0);
        xcb_flush(m_c);
    }

    void drain()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_c))
            free(event);
    }

private:
    xcb_atom_t atom(const char *name)
    {
        auto *reply = xcb_intern_atom_reply(
            m_c, xcb_intern_atom(m_c, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(reply);
        return result;
    }

    xcb_keycode_t keycodeFor(xcb_keysym_t keysym)
    {
        const xcb_setup_t *setup = xcb_get_setup(m_c);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        auto *reply = xcb_get_keyboard_mapping_reply(
            m_c, xcb_get_keyboard_mapping(m_c, setup->min_keycode, uint8_t(count)), nullptr);
        if (!reply)
            die("no keyboard mapping");
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply);
        xcb_keycode_t found = 0;
        for (int i = 0; i < count * reply->keysyms_per_keycode && !found; ++i) {
            if (syms[i] == keysym)
                found = xcb_keycode_t(setup->min_keycode + i / reply->keysyms_per_keycode);
        }
        free(reply);
        if (!found)
            die("no Return key");
        return found;
    }

    xcb_generic_event_t *next(double deadline, const std::string &what)
    {
        for (;;) {
            if (xcb_generic_event_t *event = xcb_poll_for_event(m_c))
                return event;
            if (xcb_connection_has_error(m_c))
                die("lost the display");
            const double left = deadline - now();
            if (left <= 0)
                die("timed out waiting for " + what);
            pollfd fd{xcb_get_file_descriptor(m_c), POLLIN, 0};
            poll(&fd, 1, int(std::ceil(std::min(left, 100.0))));
        }
    }

    xcb_connection_t *m_c;
    xcb_window_t m_root;
    uint8_t m_damageEvent = 0;
    xcb_keycode_t m_returnKey = 0;
};

pid_t launch(const char *program)
{
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    if (pid < 0)
        die("cannot start a program");
    return pid;
}

void stop(pid_t pid)
{
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

long statusField(pid_t pid, const std::string &field, const std::string &task = {})
{
    const std::string path = task.empty()
                                 ? "/proc/" + std::to_string(pid) + "/status"
                                 : "/proc/" + std::to_string(pid) + "/task/" + task + "/status";
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(field + ":", 0) == 0)
            return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
    }
    return 0;
}

// CPU time in ms and context switches of every thread: what it costs to sit.
std::pair<double, long> usage(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string all;
    std::getline(stat, all);
    std::istringstream fields(all.substr(all.rfind(')') + 2));
    std::vector<std::string> f{std::istream_iterator<std::string>(fields), {}};
    const double ticks = double(std::stol(f.at(11)) + std::stol(f.at(12)));
    long switches = 0;
    if (DIR *dir = opendir(("/proc/" + std::to_string(pid) + "/task").c_str())) {
        while (dirent *entry = readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            switches += statusField(pid, "voluntary_ctxt_switches", entry->d_name)
                        + statusField(pid, "nonvoluntary_ctxt_switches", entry->d_name);
        }
        closedir(dir);
    }
    return {ticks * 1000.0 / double(sysconf(_SC_CLK_TCK)), switches};
}

// CPU time and wake-ups of a program left alone for ms, after a second and a
// half to settle: a window that Next replaced is destroyed a second after.
std::pair<double, long> idleCost(pid_t pid, double ms)
{
    usleep(1500000);
    const auto [cpu0, switches0] = usage(pid);
    usleep(useconds_t(ms * 1000));
    const auto [cpu1, switches1] = usage(pid);
    return {cpu1 - cpu0, switches1 - switches0};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string cpuModel()
{
    std::ifstream in("/proc/cpuinfo");
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("model name", 0) == 0)
            return line.substr(line.find(':') + 2);
    }
    return "unknown CPU";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: numora-bench NUMORA FLOOR [--short] [--language LANGUAGE]\n");
        return 2;
    }
    bool brief = false;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--short") == 0) {
            brief = true;
        } else if (std::strcmp(argv[i], "--language") == 0 && i + 1 < argc) {
            setenv("LANGUAGE", argv[++i], 1);
            anyTitle = true;
        }
    }
    const int runs = brief ? 3 : 15;
    const int walks = brief ? 1 : 5;
    const double idleMs = brief ? 2000 : 10000;
    const char *numora = argv[1];
    const char *floor = argv[2];
    Display display;

    // Start-up and peak memory, interleaved so that drift hits both alike.
    std::vector<double> startNumora, startFloor, rssNumora, rssFloor;
    for (int i = 0; i < runs; ++i) {
        for (const char *program : {numora, floor}) {
            display.drain();
            const double t0 = now();
            const pid_t pid = launch(program);
            const auto [window, mapped] = display.waitForMap(WelcomeBox);
            (void)window;
            const double rss = double(statusField(pid, "VmHWM")) / 1024.0;
            stop(pid);
            (program == numora ? startNumora : startFloor).push_back(mapped - t0);
            (program == numora ? rssNumora : rssFloor).push_back(rss);
        }
    }

    // Next steps in several walks through the trick, each from a fresh
    // start, and idle cost in the first. One walk gives one sample of each
    // step, and one scheduling hiccup on a busy machine would then count as
    // the program's worst step.
    std::vector<std::vector<double>> stepsByCard(6);
    double welcomeIdleCpu = 0, cardIdleCpu = 0;
    long welcomeIdleSwitches = 0, cardIdleSwitches = 0;
    for (int walk = 0; walk < walks; ++walk) {
        const bool idle = walk == 0;
        display.drain();
        const pid_t pid = launch(numora);
        display.waitForMap(WelcomeBox);
        display.pressReturn();
        auto [current, introShown] = display.waitForMap(IntroTitle);
        (void)introShown;
        display.waitForPaint(current);
        if (idle)
            std::tie(welcomeIdleCpu, welcomeIdleSwitches) = idleCost(pid, idleMs);
        for (int card = 0; card <= 6; ++card) {
            // Nobody presses Enter within a quarter second of a window
            // appearing. The window Next replaced is destroyed a second
            // later, while the walk goes on, as it would be for a person.
            usleep(250000);
            display.drain();
            const double pressed = now();
            display.pressReturn();
            const auto [next, mapped]
                = display.waitForMap(card == 6 ? ResultTitle : CardTitle, current);
            (void)mapped;
            const double painted = display.waitForPaint(next);
            if (card > 0)
                stepsByCard[size_t(card - 1)].push_back(painted - pressed);
            current = next;
            // A card has its blinking caret in the grid.
            if (card == 1 && idle)
                std::tie(cardIdleCpu, cardIdleSwitches) = idleCost(pid, idleMs);
        }
        stop(pid);
    }
    std::vector<double> allSteps, steps;
    for (const auto &card : stepsByCard) {
        allSteps.insert(allSteps.end(), card.begin(), card.end());
        steps.push_back(median(card));
    }

    const double startRatio = median(startNumora) / median(startFloor);
    const double rssRatio = median(rssNumora) / median(rssFloor);
    const double worstStep = *std::max_element(steps.begin(), steps.end());
    std::printf("Numora benchmark: %s, %ld cores; Xvfb without a window manager; %d runs each%s; "
                "LANGUAGE=%s\n",
                cpuModel().c_str(), sysconf(_SC_NPROCESSORS_ONLN), runs,
                brief ? " (short mode: reports, does not judge)" : "",
                std::getenv("LANGUAGE") ? std::getenv("LANGUAGE") : "");
    std::printf("%-50s %10s %10s %8s %10s\n", "measure", "numora", "floor", "ratio", "target");
    std::printf("%-50s %10.1f %10.1f %8.2f %10s\n", "start-up to welcome box mapped, median (ms)",
                median(startNumora), median(startFloor), startRatio, "<= 1.15x");
    std::printf("%-50s %10.1f %10.1f %8.2f %10s\n", "peak resident memory then, median (MiB)",
                median(rssNumora), median(rssFloor), rssRatio, "<= 1.20x");
    std::printf("%-50s %10.1f %10s %8s %10s\n", "Next on a card to next window drawn, median (ms)",
                median(allSteps), "", "", "<= 16");
    std::printf("%-50s %10.1f %10s %8s %10s\n", "Next on the slowest card, median of walks (ms)",
                worstStep, "", "", "<= 16");
    std::printf("%-50s %10.0f %10s %8s %10s\n", "idle on welcome window: CPU time (ms)",
                welcomeIdleCpu, "", "", "0");
    std::printf("%-50s %10ld %10s %8s %10s\n", "idle on welcome window: wake-ups",
                welcomeIdleSwitches, "", "", "");
    std::printf("%-50s %10.0f %10s %8s %10s\n", "idle on a card: CPU time (ms)", cardIdleCpu, "",
                "", "0");
    std::printf("%-50s %10ld %10s %8s %10s\n", "idle on a card: wake-ups", cardIdleSwitches, "", "",
                "");
    std::printf("Next on cards 1 to 6, median of %d walks (ms):", walks);
    for (double step : steps)
        std::printf(" %.1f", step);
    std::printf("; slowest single step %.1f\n(idle measured over %.0f s)\n",
                *std::max_element(allSteps.begin(), allSteps.end()), idleMs / 1000);
    if (brief)
        return 0;
    const bool met
        = startRatio <= 1.15 && rssRatio <= 1.2 && worstStep <= 16 && welcomeIdleCpu == 0;
    std::printf("targets %s\n", met ? "met" : "missed");
    return 0;
}
