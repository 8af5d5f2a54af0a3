// The phone book, call log and favorites at the size of a large office: 10,000 contacts with
// 20,000 numbers and 10,000 call log rows over 3,000 distinct numbers.
#include "Logic/database/CPPBatchScope.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/database/CPPRowText.h"
#include "Logic/store/CPPCallLogManager.h"
#include "Logic/store/CPPCallLogTable.h"
#include "Logic/store/CPPContactManager.h"
#include "Logic/store/CPPContactNumberTable.h"
#include "Logic/store/CPPContactTable.h"
#include "Logic/store/CPPPreferencesSettingsTable.h"
#include "Logic/store/CPPSecuritySettingsTable.h"
#include "bench/BenchRuns.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr int contactCount = 10000;
constexpr int callLogCount = 10000;
constexpr int distinctCallNumbers = 3000;

const char* const perNumberName = "call log with names, a statement per number (before)";

std::string g_folder;

std::string numberText(int index) {
    return "+41 44 " + std::to_string(1000000 + index);
}

void openFresh(const std::string& name) {
    CPPDatabase& database = CPPDatabase::getInstance();
    database.close();
    const std::string path = g_folder + "/" + name;
    std::filesystem::remove(path);
    if (!database.open(path)) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        std::exit(1);
    }
    CPPContactTable::getInstance().createTable();
    CPPContactNumberTable::getInstance().createTable();
    CPPCallLogTable::getInstance().createTable();
    CPPSecuritySettingsTable::getInstance().createTable();
    CPPPreferencesSettingsTable::getInstance().createTable();
    CPPContactNumberTable::getInstance().createIndexes();
}

void addPhoneBook() {
    static const char* const firstNames[] = {"Ann",   "bert", "Carla",  "Dieter", "Émile", "frank",
                                             "Greta", "Hugo", "Inés",   "Jon",    "karl",  "Lena",
                                             "Mia",   "Noor", "O'Neil", "Paul"};
    static const char* const lastNames[] = {"Lee",   "Meier", "O'Brien",  "Smith", "Zhou",  "da Silva",
                                            "Åberg", "Novak", "Kowalski", "Ng",    "Rossi", "Weber"};
    std::mt19937 random(42);
    CPPBatchScope batch;
    for (int i = 0; i < contactCount; ++i) {
        CPPContact contact;
        contact.setFirstName(firstNames[random() % std::size(firstNames)]);
        contact.setLastName(std::string(lastNames[random() % std::size(lastNames)]) + " " +
                            std::to_string(i));
        contact.setCompany("Company " + std::to_string(random() % 300));
        contact.setIsFavorite(random() % 10 == 0);
        std::vector<CPPContactNumber> numbers(2);
        numbers[0].setNumber(numberText(2 * i));
        numbers[1].setNumber(numberText(2 * i + 1));
        numbers[1].setIsDefault(true);
        numbers[0].setSpeedDial(i < 9 ? i + 1 : -1);
        CPPContactManager::getInstance().addContact(contact, numbers);
    }
}

void addCallLog() {
    std::mt19937 random(7);
    CPPBatchScope batch;
    for (int i = 0; i < callLogCount; ++i) {
        // Every number once, then at random, so exactly that many distinct numbers are logged.
        const int which = i < distinctCallNumbers ? i : static_cast<int>(random() % distinctCallNumbers);
        CPPCallLog entry;
        // Two in three of the numbers belong to a contact; some carry a SIP domain.
        entry.setCallNumber(which % 3 == 0 ? "0800 " + std::to_string(which) : numberText(which * 6));
        if (which % 7 == 0)
            entry.setCallNumber(entry.getCallNumber() + "@pbx.example");
        entry.setCallType(static_cast<int32_t>(random() % 3));
        entry.setCallTimes(1767225600 + static_cast<time_t>(i) * 613,
                           1767225600 + static_cast<time_t>(i) * 613 + 95, 0);
        CPPCallLogManager::getInstance().addCallLog(entry);
    }
}

void buildStore() {
    openFresh("store.sqlite3");
    addPhoneBook();
    addCallLog();
    CPPPreferencesSettings preferences = CPPPreferencesSettingsTable::getInstance().get();
    preferences.setAutomaticallyManagesFavorites(true);
    CPPPreferencesSettingsTable::getInstance().update(preferences);
}

void phoneBookListing(benchmark::State& state, const char* column) {
    CPPContactManager& manager = CPPContactManager::getInstance();
    timedRuns(state, std::string("phone book by ") + column + ", grouped", [&] {
        std::vector<CPPContact> contacts;
        if (std::string(column) == "firstName")
            contacts = manager.allContactsSortedByFirstName(true);
        else if (std::string(column) == "lastName")
            contacts = manager.allContactsSortedByLastName(false);
        else
            contacts = manager.allContactsSortedByCompany(true);
        auto numbers = manager.numbersOfAllContacts();
        benchmark::DoNotOptimize(contacts.data());
        benchmark::DoNotOptimize(numbers.size());
    });
}

void BM_PhoneBookByFirstName(benchmark::State& state) {
    phoneBookListing(state, "firstName");
}
void BM_PhoneBookByLastName(benchmark::State& state) {
    phoneBookListing(state, "lastName");
}
void BM_PhoneBookByCompany(benchmark::State& state) {
    phoneBookListing(state, "company");
}

void BM_CallLogWithNames(benchmark::State& state) {
    timedRuns(state, "call log with names", [] {
        std::vector<CPPCallLog> callLogs = CPPCallLogManager::getInstance().allCallLogs();
        benchmark::DoNotOptimize(callLogs.data());
    });
}

// The same listing as it was read before: every row as a column map and a statement for each
// distinct number. Its names must equal the listing's, so the figure compares like with like.
void BM_CallLogPerNumberLookups(benchmark::State& state) {
    const std::vector<CPPCallLog> listed = CPPCallLogManager::getInstance().allCallLogs();
    timedRuns(state, perNumberName, [&] {
        Rows rows;
        CPPDatabase::getInstance().execute("select * from CallLog order by callDate desc, startTime desc",
                                           &rows);
        std::unordered_map<std::string, CPPContact> owners;
        size_t differing = 0;
        for (size_t index = 0; index < rows.size(); ++index) {
            const std::string key = stripAtSuffix(columnText(rows[index], "callNumber"));
            auto owner = owners.find(key);
            if (owner == owners.end()) {
                std::vector<CPPContact> found = CPPContactManager::getInstance().contactByNumber(key);
                owner = owners.emplace(key, found.empty() ? CPPContact() : found.front()).first;
            }
            differing += index >= listed.size() ||
                         listed[index].getContactName() != owner->second.getFullName() ||
                         listed[index].getCompany() != owner->second.getCompany();
        }
        if (differing != 0 || rows.size() != listed.size())
            state.SkipWithError("the listing's names differ from a look-up per number");
    });
}

void BM_AutomaticFavorites(benchmark::State& state) {
    timedRuns(state, "automatic favorites", [] {
        std::vector<CPPContact> favorites = CPPContactManager::getInstance().allFavoriteContacts();
        benchmark::DoNotOptimize(favorites.data());
    });
}

void BM_ContactByNumber(benchmark::State& state) {
    std::mt19937 random(3);
    timedRuns(state, "contactByNumber", [&] {
        std::vector<CPPContact> owners = CPPContactManager::getInstance().contactByNumber(
            numberText(static_cast<int>(random() % (2 * contactCount))));
        benchmark::DoNotOptimize(owners.data());
    });
}

// The way the screens read before: one query per contact, and no index to help it.
void BM_PhoneBookPerContactWithoutIndexes(benchmark::State& state) {
    CPPDatabase& database = CPPDatabase::getInstance();
    database.execute("drop index ContactNumber_contactId", nullptr);
    database.execute("drop index ContactNumber_number", nullptr);
    CPPContactManager& manager = CPPContactManager::getInstance();
    timedRuns(state, "phone book by firstName, per contact without indexes", [&] {
        std::vector<CPPContact> contacts = manager.allContactsSortedByFirstName(true);
        size_t total = 0;
        for (const CPPContact& contact : contacts)
            total += manager.numbersOfContact(contact).size();
        benchmark::DoNotOptimize(total);
    });
    CPPContactNumberTable::getInstance().createIndexes();
}

void BM_BatchedAddOfAllContacts(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        openFresh("add.sqlite3");
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        addPhoneBook();
        recordRun("batched add of 10,000 contacts with 2 numbers", std::chrono::steady_clock::now() - start);
    }
    buildStore();
}

BENCHMARK(BM_PhoneBookByFirstName)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PhoneBookByLastName)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PhoneBookByCompany)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CallLogWithNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CallLogPerNumberLookups)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AutomaticFavorites)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContactByNumber)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PhoneBookPerContactWithoutIndexes)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_BatchedAddOfAllContacts)->Unit(benchmark::kMillisecond)->Iterations(2);

void printSummary() {
    struct Target {
        const char* name;
        double limitMs;
    } targets[] = {
        {"phone book by firstName, grouped", 100},
        {"phone book by lastName, grouped", 100},
        {"phone book by company, grouped", 100},
        {"call log with names", 50},
        {perNumberName, 0},
        {"automatic favorites", 30},
        {"contactByNumber", 0.1},
        {"batched add of 10,000 contacts with 2 numbers", 2000},
        {"phone book by firstName, per contact without indexes", 0},
    };
    std::printf("\nStore figures (mean and best run, %d contacts, %d numbers, %d call log rows, %d distinct "
                "numbers):\n",
                contactCount, 2 * contactCount, callLogCount, distinctCallNumbers);
    for (const Target& target : targets)
        printRuns(target.name, target.limitMs);
    const auto grouped = benchRuns().find("phone book by firstName, grouped");
    const auto perContact = benchRuns().find("phone book by firstName, per contact without indexes");
    if (grouped != benchRuns().end() && perContact != benchRuns().end())
        std::printf("  per contact without indexes / grouped with indexes: %.1fx\n",
                    perContact->second.meanMs() / grouped->second.meanMs());
    const auto listing = benchRuns().find("call log with names");
    const auto perNumber = benchRuns().find(perNumberName);
    if (listing != benchRuns().end() && perNumber != benchRuns().end())
        std::printf("  call log: a statement per number / one listing: %.1fx\n",
                    perNumber->second.meanMs() / listing->second.meanMs());
}

} // namespace

int main(int argc, char** argv) {
    char folderTemplate[] = "/tmp/store_bench.XXXXXX";
    if (mkdtemp(folderTemplate) == nullptr)
        return 1;
    g_folder = folderTemplate;
    buildStore();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();

    CPPDatabase::getInstance().close();
    std::filesystem::remove_all(g_folder);
    return 0;
}
