// The directory screens at the size of a large office: 10,000 contacts with 20,000 numbers
// and 10,000 call log rows over 3,000 numbers, on the offscreen platform. Measured as a user
// meets them: opening a screen (its appearance, the store read, the rows, the first layout
// and paint), each keystroke of a typed search, and each page step scrolled over the whole list.
#include "App/KTNavigationController.h"
#include "Logic/bridge/CallLogManager.h"
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Screens/directory/FavoritesViewController.h"
#include "Screens/directory/LogsViewController.h"
#include "Screens/directory/PhoneBookViewController.h"
#include "Screens/directory/RowButtonTableView.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDateTime>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int contactCount = 10000;
constexpr int callLogCount = 10000;
constexpr int distinctCallNumbers = 3000;

using Clock = std::chrono::steady_clock;

// Every sample of each figure, for the summary: mean, p99 and max in milliseconds.
std::map<std::string, std::vector<double>>& samples() {
    static std::map<std::string, std::vector<double>> all;
    return all;
}

template <typename Work>
void measure(benchmark::State& state, const std::string& name, Work work) {
    for (auto _ : state) {
        const auto start = Clock::now();
        work();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        samples()[name].push_back(ms);
        state.SetIterationTime(ms / 1000.0);
    }
}

const char* const firstNames[] = {"Ann",   "Bob",   "Carla", "Dmitri", "Emma", "Frank",  "George",
                                  "Hanna", "Ivan",  "Julia", "Karl",   "Lena", "Mario",  "Nora",
                                  "Oscar", "Paula", "Quinn", "Rosa",   "Sven", "Tara",   "Ulf",
                                  "Vera",  "Walt",  "Xena",  "Yann",   "Zoe",  "9lives", "\xc3\x89mile"};
const char* const lastNames[] = {"Archer", "Brown",  "Castro", "Diaz", "Evans", "Fischer", "Garcia", "Hughes",
                                 "Ito",    "Jensen", "Klein",  "Lee",  "Meyer", "Nagy",    "Olsen",  "Park"};

std::string numberOf(int contact, int which) {
    return std::to_string((which == 0 ? 2000000 : 3000000) + contact);
}

void fillStore() {
    std::mt19937 random(13);
    {
        CPPBatchScope batch;
        for (int index = 0; index < contactCount; ++index) {
            Contact contact(firstNames[random() % std::size(firstNames)], index % 3 == 0 ? "M" : "",
                            std::string(lastNames[random() % std::size(lastNames)]) + std::to_string(index),
                            index % 2 == 0 ? "Company " + std::to_string(index % 97) : "");
            contact.numbers().clear();
            contact.numbers().push_back(std::make_shared<ContactNumber>(numberOf(index, 0), -1, 1, true));
            contact.numbers().push_back(std::make_shared<ContactNumber>(numberOf(index, 1), -1, 2, false));
            contact.setFavorite(index % 2 == 0);
            ContactManager::addContact(contact);
        }
    }
    CPPBatchScope batch;
    const QDateTime start(QDate(2026, 12, 6), QTime(18, 0));
    for (int index = 0; index < callLogCount; ++index) {
        // About 30 calls a day, back over the year.
        const QDateTime moment = start.addSecs(-static_cast<qint64>(index) * 2880);
        const CallLog::Moment at(
            std::chrono::system_clock::time_point(std::chrono::seconds(moment.toSecsSinceEpoch())));
        CallLog entry(at, index % 7 == 0 ? 0 : 30 + index % 900,
                      numberOf(index % distinctCallNumbers, index % 2), index % 3, "", "", at);
        CallLogManager::addCallLog(entry);
    }
}

// A screen in its navigation stack, shown offscreen at the window's size.
struct ShownScreen {
    std::unique_ptr<KTNavigationController> stack;

    explicit ShownScreen(ViewController* root)
        : stack(new KTNavigationController(QRect(0, 0, 420, 624), root)) {
        root->setParent(stack.get());
        stack->view()->show();
        QCoreApplication::processEvents();
    }
};

// Lays out what a change left pending (as the next event would) and paints the list now.
void settleAndPaint(RowButtonTableView* table) {
    table->indexAt(QPoint(0, 0));
    table->viewport()->repaint();
}

void openScreen(ViewController* screen, RowButtonTableView* table) {
    screen->viewWillAppearInWindow();
    settleAndPaint(table);
}

void typeSearch(QLineEdit* field, RowButtonTableView* table, const QString& word, size_t& keystroke) {
    // Each keystroke types the next letter; a finished word is cleared letter by letter.
    const size_t length = word.size();
    const size_t step = keystroke++ % (2 * length);
    const qsizetype shown = static_cast<qsizetype>(step < length ? step + 1 : 2 * length - step - 1);
    field->setText(word.left(shown));
    settleAndPaint(table);
}

void pageDown(RowButtonTableView* table) {
    QScrollBar* bar = table->verticalScrollBar();
    bar->setValue(bar->value() >= bar->maximum() ? 0 : bar->value() + bar->pageStep());
    settleAndPaint(table);
}

void BM_PhoneBookOpen(benchmark::State& state) {
    auto* phoneBook = new PhoneBookViewController;
    ShownScreen shown(phoneBook);
    measure(state, "phone book: open", [&] { openScreen(phoneBook, phoneBook->tableView()); });
}

void BM_PhoneBookTyping(benchmark::State& state) {
    auto* phoneBook = new PhoneBookViewController;
    ShownScreen shown(phoneBook);
    size_t keystroke = 0;
    measure(state, "phone book: keystroke of a search", [&] {
        typeSearch(phoneBook->searchField(), phoneBook->tableView(), QStringLiteral("lee, ann"), keystroke);
    });
}

void BM_PhoneBookScroll(benchmark::State& state) {
    auto* phoneBook = new PhoneBookViewController;
    ShownScreen shown(phoneBook);
    measure(state, "phone book: page step", [&] { pageDown(phoneBook->tableView()); });
}

void BM_FavoritesOpen(benchmark::State& state) {
    auto* favorites = new FavoritesViewController;
    ShownScreen shown(favorites);
    measure(state, "favorites (5,000): open", [&] { openScreen(favorites, favorites->tableView()); });
}

void BM_CallLogRead(benchmark::State& state) {
    measure(state, "call log: store read alone",
            [] { benchmark::DoNotOptimize(CallLogManager::allCallLogs()); });
}

void BM_PhoneBookRead(benchmark::State& state) {
    measure(state, "phone book: store read alone",
            [] { benchmark::DoNotOptimize(ContactManager::allContactsSortedByFirstName(true)); });
}

void BM_CallLogOpen(benchmark::State& state) {
    auto* logs = new LogsViewController;
    ShownScreen shown(logs);
    measure(state, "call log: open", [&] { openScreen(logs, logs->tableView()); });
}

void BM_CallLogTyping(benchmark::State& state) {
    auto* logs = new LogsViewController;
    ShownScreen shown(logs);
    size_t keystroke = 0;
    measure(state, "call log: keystroke of a search",
            [&] { typeSearch(logs->searchField(), logs->tableView(), QStringLiteral("meyer"), keystroke); });
}

void BM_CallLogScroll(benchmark::State& state) {
    auto* logs = new LogsViewController;
    ShownScreen shown(logs);
    measure(state, "call log: page step", [&] { pageDown(logs->tableView()); });
}

BENCHMARK(BM_PhoneBookOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_PhoneBookTyping)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(160);
BENCHMARK(BM_PhoneBookScroll)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1500);
BENCHMARK(BM_FavoritesOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_PhoneBookRead)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_CallLogRead)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_CallLogOpen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_CallLogTyping)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);
BENCHMARK(BM_CallLogScroll)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1500);

double percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const size_t index =
        std::min(values.size() - 1, static_cast<size_t>(fraction * static_cast<double>(values.size())));
    return values[index];
}

// Summary lines; false when a figure misses its target (limit 0: none).
bool report(const std::string& name, double limitMs, bool judgeMax) {
    const auto found = samples().find(name);
    if (found == samples().end() || found->second.empty()) {
        return true;
    }
    const std::vector<double>& values = found->second;
    double total = 0;
    for (double value : values) {
        total += value;
    }
    const double mean = total / static_cast<double>(values.size());
    const double max = *std::max_element(values.begin(), values.end());
    const double judged = judgeMax ? max : mean;
    std::printf("  %-36s mean %7.2f ms, p99 %7.2f ms, max %7.2f ms", name.c_str(), mean,
                percentile(values, 0.99), max);
    if (limitMs > 0) {
        std::printf("  (target %s < %g ms: %s)", judgeMax ? "max" : "mean", limitMs,
                    judged < limitMs ? "met" : "MISSED");
    }
    std::printf("\n");
    return limitMs <= 0 || judged < limitMs;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder;
    qputenv("XDG_DATA_HOME", folder.path().toUtf8());
    QApplication application(argc, argv);
    TessmarkDialerCore::open();
    fillStore();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("Directory screens, %d contacts, %d call log rows:\n", contactCount, callLogCount);
    bool met = report("phone book: open", 150, false);
    met = report("phone book: keystroke of a search", 16, true) && met;
    met = report("phone book: page step", 16, true) && met;
    met = report("favorites (5,000): open", 0, false) && met;
    met = report("phone book: store read alone", 0, false) && met;
    met = report("call log: store read alone", 50, false) && met;
    met = report("call log: open", 60, false) && met;
    met = report("call log: keystroke of a search", 16, true) && met;
    met = report("call log: page step", 16, true) && met;
    TessmarkDialerCore::close();
    return met ? 0 : 1;
}
