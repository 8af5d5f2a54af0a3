// The Phone Book page's import as the page runs it (parse the file, then store it in one batch)
// for a phone book of 10,000 contacts with two numbers each: with overwrite off into an empty
// phone book, and with overwrite on, once into an empty one and once over a phone book that
// already holds every name of the file, beside the last done the way it was done before.
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/PhoneBookCSV.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Logic/database/CPPBatchScope.h"
#include "Logic/database/CPPDatabase.h"
#include "Logic/store/CPPContactTable.h"
#include "Screens/settings/CsvImport.h"
#include "bench/BenchRuns.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int contactCount = 10000;

const char* const offName = "parse + import, overwrite off, empty phone book";
const char* const onEmptyName = "parse + import, overwrite on, empty phone book";
const char* const onFullName = "parse + import, overwrite on, every name stored";
const char* const beforeName = "the same, a name scan and a look-up per namesake (before)";

std::string g_csv;

void writeFile() {
    std::vector<ContactPtr> contacts;
    for (int i = 0; i < contactCount; ++i) {
        auto contact = std::make_shared<Contact>("First " + std::to_string(i % 97), i % 3 == 0 ? "Q" : "",
                                                 "O'Last " + std::to_string(i),
                                                 "Company, Inc. " + std::to_string(i % 300));
        contact->setNumbers(
            {std::make_shared<ContactNumber>("+41 44 " + std::to_string(1000000 + 2 * i), -1, 1, true),
             std::make_shared<ContactNumber>("+41 79 " + std::to_string(1000000 + 2 * i + 1), -1, 2, false)});
        contacts.push_back(std::move(contact));
    }
    PhoneBookCSV::exportToFile(g_csv, contacts);
}

void emptyPhoneBook() {
    CPPDatabase::getInstance().execute("delete from Contact; delete from ContactNumber", nullptr);
}

ImportCounts importFile(bool overwrite) {
    return importContacts(PhoneBookCSV::parseFile(g_csv), overwrite);
}

void timedImport(benchmark::State& state, const char* name, bool overwrite, bool fillFirst) {
    for (auto _ : state) {
        state.PauseTiming();
        emptyPhoneBook();
        if (fillFirst) {
            importFile(false);
        }
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        const ImportCounts counts = importFile(overwrite);
        recordRun(name, std::chrono::steady_clock::now() - start);
        if (counts.failed != 0 || ContactManager::allContacts().size() != size_t(contactCount)) {
            state.SkipWithError("the import did not store every contact once");
        }
    }
}

void BM_OverwriteOff(benchmark::State& state) {
    timedImport(state, offName, false, false);
}

void BM_OverwriteOnEmpty(benchmark::State& state) {
    timedImport(state, onEmptyName, true, false);
}

void BM_OverwriteOnFull(benchmark::State& state) {
    timedImport(state, onFullName, true, true);
}

// The overwrite as it ran before: no name index, each namesake looked up (numbers and all)
// before its replacement is added, then removed number by number.
void BM_OverwriteOnFullBefore(benchmark::State& state) {
    CPPDatabase& database = CPPDatabase::getInstance();
    database.execute("drop index Contact_name", nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        emptyPhoneBook();
        importFile(false);
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        {
            const CPPBatchScope batch;
            for (const ContactPtr& contact : PhoneBookCSV::parseFile(g_csv)) {
                const ContactPtr namesake = ContactManager::contactByFirstName(
                    contact->firstName(), contact->middleInitial(), contact->lastName());
                if (ContactManager::addContact(*contact) && namesake != nullptr) {
                    ContactManager::removeContact(*namesake);
                }
            }
        }
        recordRun(beforeName, std::chrono::steady_clock::now() - start);
    }
    CPPContactTable::getInstance().createIndexes();
}

BENCHMARK(BM_OverwriteOff)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OverwriteOnEmpty)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OverwriteOnFull)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OverwriteOnFullBefore)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    char folderTemplate[] = "/tmp/settings_import_bench.XXXXXX";
    if (mkdtemp(folderTemplate) == nullptr) {
        return 1;
    }
    const std::string home = folderTemplate;
    g_csv = home + "/phonebook.csv";
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    TessmarkDialerCore::open();
    writeFile();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\nPhone book import (mean and best run, %d contacts, %d numbers):\n", contactCount,
                2 * contactCount);
    printRuns(offName, 300);
    printRuns(onEmptyName, 0);
    printRuns(onFullName, 1000);
    printRuns(beforeName, 0);

    TessmarkDialerCore::close();
    std::filesystem::remove_all(home);
    return 0;
}
