// Times programs from exec to their first window on an X server: until the window is mapped and until
// its first pixels arrive. The programs take turns, run after run, so that a busy machine slows them
// alike; the medians are printed with their ratios to the first program's.
// Usage: startup_probe RUNS NAME=PROGRAM [NAME=PROGRAM ...]   (DISPLAY names the server, which must
// have no window manager: the programs' own windows are the root window's children)
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ; // NOLINT: the process's environment, handed on to the programs

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto LaunchTimeout = std::chrono::seconds(20);

struct Launch {
    double Mapped = 0;  // milliseconds from exec until the first top-level window is mapped
    double Painted = 0; // ... until something is drawn into it
    double Cpu = 0;     // milliseconds of processor time the program had used by then, all threads
};

struct Program {
    std::string Name;
    std::string Path;
    std::vector<double> Mapped;
    std::vector<double> Painted;
    std::vector<double> Cpu;
};

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The processor time of every thread of `pid` so far, from the scheduler's nanosecond accounts: on a
// busy machine it varies far less than the time on the clock.
double CpuMilliseconds(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    double total = 0;
    if (DIR* folder = opendir(tasks.c_str())) {
        while (const dirent* task = readdir(folder)) {
            if (task->d_name[0] == '.')
                continue;
            if (std::FILE* file = std::fopen((tasks + "/" + task->d_name + "/schedstat").c_str(), "r")) {
                unsigned long long running = 0;
                if (std::fscanf(file, "%llu", &running) == 1)
                    total += double(running) / 1e6;
                std::fclose(file);
            }
        }
        closedir(folder);
    }
    return total;
}

// The X server, watched for the windows that appear on it.
class Screen {
public:
    Screen()
        : connection_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(connection_) != 0)
            throw std::runtime_error("cannot connect to the X server named by DISPLAY");
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection_, &xcb_damage_id);
        if (damage == nullptr || damage->present == 0)
            throw std::runtime_error("the X server has no DAMAGE extension");
        damageNotify_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        std::free(xcb_damage_query_version_reply(connection_, xcb_damage_query_version(connection_, 1, 1),
                                                 nullptr));
        // Creating and mapping a top-level window is reported to whoever watches the root's children.
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        Sync();
    }
    ~Screen() { xcb_disconnect(connection_); }
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // Starts `path` and waits for its first window to be mapped and drawn into, then ends the program.
    std::optional<Launch> Time(const std::string& path) {
        Sync(); // what earlier programs left behind is not this one's
        std::map<xcb_window_t, xcb_damage_damage_t> watched;
        std::optional<double> mapped;
        std::optional<double> painted;
        double cpu = 0;
        xcb_window_t window = XCB_NONE;

        const Clock::time_point start = Clock::now();
        const pid_t pid = Spawn(path);
        while (!painted) {
            xcb_generic_event_t* event = NextEvent(start + LaunchTimeout);
            if (event == nullptr)
                break;
            const std::uint8_t type = event->response_type & 0x7F;
            if (type == XCB_CREATE_NOTIFY) {
                // Watched from its creation, before the program can draw into it.
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                const xcb_damage_damage_t damage = xcb_generate_id(connection_);
                xcb_damage_create(connection_, damage, created->window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(connection_);
                watched[created->window] = damage;
            } else if (type == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (!mapped && map->override_redirect == 0) {
                    mapped = MillisecondsSince(start);
                    window = map->window;
                }
            } else if (type == damageNotify_) {
                const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                if (mapped && damage->drawable == window) {
                    painted = MillisecondsSince(start);
                    cpu = CpuMilliseconds(pid);
                }
            }
            std::free(event);
        }
        for (const auto& entry : watched)
            xcb_damage_destroy(connection_, entry.second);
        xcb_flush(connection_);
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
        if (!mapped || !painted)
            return std::nullopt;
        return Launch{*mapped, *painted, cpu};
    }

private:
    // Waits until the server has handled every request so far, and drops the events it sent.
    void Sync() {
        std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
            std::free(event);
    }

    xcb_generic_event_t* NextEvent(Clock::time_point deadline) {
        for (;;) {
            if (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
                return event;
            if (xcb_connection_has_error(connection_) != 0)
                throw std::runtime_error("lost the connection to the X server");
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return nullptr;
            pollfd wait{xcb_get_file_descriptor(connection_), POLLIN, 0};
            poll(&wait, 1, int(left.count()) + 1);
        }
    }

    // The program's standard output goes nowhere; its warnings still reach standard error.
    static pid_t Spawn(const std::string& path) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        std::string argument0 = path;
        char* argv[] = {argument0.data(), nullptr};
        pid_t pid = 0;
        const int error = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0)
            throw std::runtime_error("cannot start " + path);
        return pid;
    }

    xcb_connection_t* connection_;
    xcb_window_t root_ = XCB_NONE;
    std::uint8_t damageNotify_ = 0;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void PrintRow(const Program& program, const Program& anchor) {
    const auto [mappedLow, mappedHigh] = std::minmax_element(program.Mapped.begin(), program.Mapped.end());
    const auto [paintedLow, paintedHigh] =
        std::minmax_element(program.Painted.begin(), program.Painted.end());
    std::printf("%-10s %7.1f %5.2f [%6.1f ..%6.1f]  %7.1f %5.2f [%6.1f ..%6.1f]  %6.1f %5.2f\n",
                program.Name.c_str(), Median(program.Mapped), Median(program.Mapped) / Median(anchor.Mapped),
                *mappedLow, *mappedHigh, Median(program.Painted),
                Median(program.Painted) / Median(anchor.Painted), *paintedLow, *paintedHigh,
                Median(program.Cpu), Median(program.Cpu) / Median(anchor.Cpu));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS NAME=PROGRAM [NAME=PROGRAM ...]\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        const std::size_t equals = argument.find('=');
        if (equals == std::string::npos || runs < 1) {
            std::fprintf(stderr, "usage: %s RUNS NAME=PROGRAM [NAME=PROGRAM ...]\n", argv[0]);
            return 2;
        }
        programs.push_back({argument.substr(0, equals), argument.substr(equals + 1), {}, {}, {}});
    }
    try {
        Screen screen;
        // One unmeasured start each fills the file and font caches.
        for (const Program& program : programs)
            screen.Time(program.Path);
        for (int run = 0; run < runs; ++run) {
            // Each run starts with the next program, so none always follows the same one.
            for (std::size_t k = 0; k < programs.size(); ++k) {
                Program& program = programs[(run + k) % programs.size()];
                const auto launch = screen.Time(program.Path);
                if (!launch) {
                    std::fprintf(stderr, "%s showed no window within %lld s\n", program.Name.c_str(),
                                 static_cast<long long>(LaunchTimeout.count()));
                    return 1;
                }
                program.Mapped.push_back(launch->Mapped);
                program.Painted.push_back(launch->Painted);
                program.Cpu.push_back(launch->Cpu);
            }
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "startup_probe: %s\n", failure.what());
        return 1;
    }
    std::printf("Exec to first window, %d interleaved runs: median milliseconds, ratio to %s, range;\n"
                "cpu: processor time used until painted\n",
                runs, programs.front().Name.c_str());
    std::printf("%-10s %7s %5s %17s  %7s %5s %17s  %6s %5s\n", "program", "mapped", "ratio", "", "painted",
                "ratio", "", "cpu", "ratio");
    for (const Program& program : programs)
        PrintRow(program, programs.front());
    return 0;
}
