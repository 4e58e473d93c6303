// A stand-in for a measuring process: writes a target file record by record, so that
// lintrace has something live to watch without lab hardware.
#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

constexpr const char* kUsage = R"(Usage: lintrace-demo [options] FILE

Writes a demo target file the way a logging process does: two header lines, a
names line, then one record per interval, each appended by opening the file,
writing the line and closing it again. After the last record it writes a
"Stopped" line and a summary block starting with "Count Summary".

Every line is enclosed in double quotes and ends with CR LF. A record holds
seven blank-separated decimal numbers: the run time in seconds, zero-padded to
five integer digits ("00012.5") so that every record starts with a digit 0-4
right after its opening quote, then six measured values between 0 and 150.
The run time advances by the interval (by 0.5 s when the interval is 0). The
values are the same at every run; only the date in the first header is not.

Options:
  --interval-ms N     pause after each record, in milliseconds (default 500)
  --records N         number of records (default 600)
  --summary-lines N   lines after "Count Summary" (default 3)
  --start-fresh       overwrite FILE if it exists and is not empty; without
                      it such a file is left alone and the writer fails
  --help              show this text

Exit status: 0 done, 1 FILE cannot be written, 2 bad usage.
)";

constexpr int kFields = 6;
constexpr std::array<const char*, kFields> kNames = {"Flow_lpm", "T_in",     "dP_kPa",
                                                     "T_wall",   "Power_kW", "T_out"};
constexpr double kMaxRunTime = 99999.0;

struct Options {
    long interval_ms = 500;
    long records = 600;
    long summary_lines = 3;
    bool start_fresh = false;
    std::string file;
};

struct UsageError {
    std::string message;
};

long parse_count(std::string_view name, std::string_view text, long lo, long hi) {
    long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < lo || value > hi)
        throw UsageError{std::string(name) + " wants a whole number from " + std::to_string(lo) + " to " +
                         std::to_string(hi) + ", not '" + std::string(text) + "'"};
    return value;
}

Options parse_options(int argc, char** argv) {
    Options o;
    std::vector<std::string_view> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view a = args[i];
        std::string_view value;
        bool inline_value = false;
        if (auto eq = a.find('='); a.starts_with("--") && eq != std::string_view::npos) {
            value = a.substr(eq + 1);
            a = a.substr(0, eq);
            inline_value = true;
        }
        auto next = [&]() -> std::string_view {
            if (inline_value) return value;
            if (i + 1 >= args.size()) throw UsageError{std::string(a) + " wants a value"};
            return args[++i];
        };
        if (a == "--interval-ms")
            o.interval_ms = parse_count(a, next(), 0, 3600000);
        else if (a == "--records")
            o.records = parse_count(a, next(), 1, 1000000);
        else if (a == "--summary-lines")
            o.summary_lines = parse_count(a, next(), 0, 1000);
        else if (a == "--start-fresh" && !inline_value)
            o.start_fresh = true;
        else if (a.starts_with("-") && a != "-")
            throw UsageError{"unknown option " + std::string(args[i])};
        else if (!o.file.empty())
            throw UsageError{"only one FILE, please"};
        else
            o.file = std::string(a);
    }
    if (o.file.empty()) throw UsageError{"FILE is missing"};
    return o;
}

double step_seconds(const Options& o) {
    return o.interval_ms > 0 ? o.interval_ms / 1000.0 : 0.5;
}

// As few decimals as the step needs, so a 500 ms run reads 00012.5 and a 10 ms run 00000.12.
int time_decimals(const Options& o) {
    long ms = o.interval_ms > 0 ? o.interval_ms : 500;
    return ms % 100 == 0 ? 1 : ms % 10 == 0 ? 2 : 3;
}

// A heater on a water loop: the flow is stepped, the outlet follows the power over the flow
// with a first-order lag, the wall lags further. Shaped over the whole run, so any record
// count shows the full story.
class Bench {
  public:
    explicit Bench(long records) : records_(records) {
        double n = static_cast<double>(records);
        fast_ = lag(std::max(1.0, n * 0.006));
        slow_ = lag(std::max(2.0, n * 0.04));
        slower_ = lag(std::max(3.0, n * 0.06));
    }

    std::array<double, kFields> next(long k) {
        double u = records_ > 1 ? static_cast<double>(k) / static_cast<double>(records_ - 1) : 0.0;
        flow_ += (flow_target(u) - flow_) * fast_;
        power_ += ((u < 0.05 ? 0.0 : u < 0.9 ? 110.0 : 55.0) - power_) * fast_;
        double t_in = 18.0 + 3.0 * (1.0 - std::exp(-u / 0.4));
        t_out_ += (t_in + 2400.0 * (power_ / 110.0) / std::max(flow_, 5.0) - t_out_) * slow_;
        t_wall_ += (t_in + 0.7 * (t_out_ - t_in) - t_wall_) * slower_;
        double dp = 0.02 * flow_ * flow_;
        return {clamp(flow_ + noise(0.3)),   clamp(t_in + noise(0.15)),  clamp(dp + noise(0.4)),
                clamp(t_wall_ + noise(0.2)), clamp(power_ + noise(0.6)), clamp(t_out_ + noise(0.25))};
    }

  private:
    static double lag(double tau) { return 1.0 - std::exp(-1.0 / tau); }
    static double clamp(double v) { return std::min(150.0, std::max(0.0, v)); }
    static double flow_target(double u) {
        return u < 0.03 ? 12.0 : u < 0.35 ? 40.0 : u < 0.6 ? 62.0 : u < 0.82 ? 30.0 : 48.0;
    }
    // The engine's raw output is fixed by the standard, unlike the library's distributions.
    double noise(double amplitude) {
        double a = static_cast<double>(rng_()) / 4294967295.0;
        double b = static_cast<double>(rng_()) / 4294967295.0;
        return amplitude * (a + b - 1.0);
    }

    long records_;
    double fast_, slow_, slower_;
    double flow_ = 12.0, power_ = 0.0, t_out_ = 18.0, t_wall_ = 18.0;
    std::mt19937 rng_{20261207u};
};

std::string in_quotes(const std::string& text) {
    return "\"" + text + "\"\r\n";
}

std::string format(const char* pattern, auto... values) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

std::string record_line(double run_time, int decimals, const std::array<double, kFields>& values) {
    std::string line = format("%0*.*f", 6 + decimals, decimals, run_time);
    for (double v : values)
        line += format(" %7.2f", v);
    return in_quotes(line);
}

std::string header_block() {
    std::time_t now = std::time(nullptr);
    char stamp[32] = "";
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    std::string names = "Runtime";
    for (const char* n : kNames)
        names += std::string(" ") + n;
    return in_quotes(std::string("Test bench 3 - run ") + stamp) +
           in_quotes("Operator: demo   Sample: A-17") + in_quotes(names);
}

struct Totals {
    std::array<double, kFields> max{};
    std::array<double, kFields> sum{};
};

std::string summary_block(const Options& o, double last_time, const Totals& t) {
    std::vector<std::string> facts = {format("Records     %ld", o.records),
                                      format("Duration    %.*f s", time_decimals(o), last_time)};
    for (int f = 0; f < kFields; ++f)
        facts.push_back(format("Max %-9s %.2f", kNames[f], t.max[f]));
    for (int f = 0; f < kFields; ++f)
        facts.push_back(format("Mean %-8s %.2f", kNames[f], t.sum[f] / static_cast<double>(o.records)));
    std::string block = in_quotes("Stopped") + in_quotes("Count Summary");
    for (long i = 0; i < o.summary_lines; ++i)
        block +=
            in_quotes(i < static_cast<long>(facts.size()) ? facts[i] : format("Remark %ld: none", i + 1));
    return block;
}

struct WriteError {
    std::string message;
};

void write_to(const std::string& path, const std::string& text, const char* mode) {
    std::FILE* f = std::fopen(path.c_str(), mode);
    if (!f) throw WriteError{std::strerror(errno)};
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    int saved = errno;
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (!ok) throw WriteError{std::strerror(saved)};
}

void refuse_to_clobber(const Options& o) {
    std::error_code ec;
    auto size = std::filesystem::file_size(o.file, ec);
    if (!o.start_fresh && !ec && size > 0)
        throw WriteError{"it already holds data; pass --start-fresh to overwrite it"};
}

void run(const Options& o) {
    refuse_to_clobber(o);
    write_to(o.file, header_block(), "wb");
    Bench bench(o.records);
    Totals totals;
    double step = step_seconds(o), run_time = 0.0;
    int decimals = time_decimals(o);
    for (long k = 0; k < o.records; ++k) {
        run_time = static_cast<double>(k) * step;
        auto values = bench.next(k);
        for (int f = 0; f < kFields; ++f) {
            totals.max[f] = std::max(totals.max[f], values[f]);
            totals.sum[f] += values[f];
        }
        write_to(o.file, record_line(run_time, decimals, values), "ab");
        std::this_thread::sleep_for(std::chrono::milliseconds(o.interval_ms));
    }
    write_to(o.file, summary_block(o, run_time, totals), "ab");
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--help") {
            std::cout << kUsage;
            return 0;
        }
    Options options;
    try {
        options = parse_options(argc, argv);
        if (static_cast<double>(options.records - 1) * step_seconds(options) > kMaxRunTime)
            throw UsageError{"the run time would pass 99999 s; use fewer records or a shorter interval"};
    } catch (const UsageError& e) {
        std::cerr << "lintrace-demo: " << e.message << "\n\n" << kUsage;
        return 2;
    }
    try {
        run(options);
    } catch (const WriteError& e) {
        std::cerr << "lintrace-demo: cannot write " << options.file << ": " << e.message << "\n";
        return 1;
    }
    return 0;
}
