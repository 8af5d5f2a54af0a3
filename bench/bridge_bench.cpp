// The bridge at the size of a large office: a phone book of 10,000 contacts with 20,000
// numbers through its CSV file, the models the screens list, and the core's open.
#include "Logic/bridge/ContactManager.h"
#include "Logic/bridge/PhoneBookCSV.h"
#include "Logic/bridge/TessmarkDialerCore.h"
#include "Logic/database/CPPDatabase.h"
#include "bench/BenchRuns.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int contactCount = 10000;

const char* const exportName = "phone book CSV export";
const char* const parseName = "phone book CSV parse";
const char* const importName = "phone book CSV import (parse + add, one batch)";
const char* const unbatchedName = "phone book CSV import (parse + add, unbatched)";
const char* const bulkName = "SQLite bulk path (parse + prepared inserts, one transaction)";
const char* const modelsName = "phone book models by first name";
const char* const openName = "core open of the 10,000-contact file";

std::string g_home;
std::string g_csv;
std::vector<ContactPtr> g_contacts;

std::vector<ContactPtr> makeContacts() {
    static const char* const firstNames[] = {"Ann",   "bert", "Carla",  "Dieter", "Émile", "frank",
                                             "Greta", "Hugo", "Inés",   "Jon",    "karl",  "Lena",
                                             "Mia",   "Noor", "O'Neil", "Paul"};
    static const char* const lastNames[] = {"Lee",   "Meier", "O'Brien",  "Smith", "Zhou",  "da Silva",
                                            "Åberg", "Novak", "Kowalski", "Ng",    "Rossi", "Weber"};
    std::mt19937 random(42);
    std::vector<ContactPtr> contacts;
    for (int i = 0; i < contactCount; ++i) {
        // One company in twenty holds a comma, so the quoting path is part of the figures.
        const std::string company = random() % 20 == 0 ? "Acme, Inc. " + std::to_string(random() % 300)
                                                       : "Company " + std::to_string(random() % 300);
        auto contact = std::make_shared<Contact>(
            firstNames[random() % std::size(firstNames)], "",
            std::string(lastNames[random() % std::size(lastNames)]) + " " + std::to_string(i), company);
        contact->setFavorite(random() % 10 == 0);
        contact->setNumbers(
            {std::make_shared<ContactNumber>("+41 44 " + std::to_string(1000000 + 2 * i), i < 9 ? i + 1 : -1,
                                             1, true),
             std::make_shared<ContactNumber>("+41 79 " + std::to_string(1000000 + 2 * i + 1), -1, 2, false)});
        contacts.push_back(std::move(contact));
    }
    return contacts;
}

void emptyPhoneBook() {
    CPPDatabase::getInstance().execute("delete from Contact; delete from ContactNumber", nullptr);
}

void importPhoneBook(bool batched) {
    const std::vector<ContactPtr> contacts = PhoneBookCSV::parseFile(g_csv);
    std::optional<CPPBatchScope> batch;
    if (batched)
        batch.emplace();
    for (const ContactPtr& contact : contacts)
        ContactManager::addContact(*contact);
}

void BM_Export(benchmark::State& state) {
    timedRuns(state, exportName, [] { PhoneBookCSV::exportToFile(g_csv, g_contacts); });
}

void BM_Parse(benchmark::State& state) {
    timedRuns(state, parseName, [] { benchmark::DoNotOptimize(PhoneBookCSV::parseFile(g_csv).size()); });
}

void timedImport(benchmark::State& state, const char* name, bool batched) {
    timedRunsAfter(state, name, emptyPhoneBook, [batched] { importPhoneBook(batched); });
}

void BM_Import(benchmark::State& state) {
    timedImport(state, importName, true);
}

void BM_ImportUnbatched(benchmark::State& state) {
    timedImport(state, unbatchedName, false);
    // The later figures read a phone book made the way the screens make it.
    emptyPhoneBook();
    importPhoneBook(true);
}

// The fastest way SQLite itself offers, as its shell's CSV import takes it: one prepared insert
// per table with bound values, all in one transaction, into a file of the same schema and
// indexes. It parses the same file first.
class BulkStore {
public:
    BulkStore() {
        const std::string path = g_home + "/bulk.sqlite3";
        sqlite3_open_v2(path.c_str(), &m_handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        Rows schema;
        CPPDatabase::getInstance().execute(
            "select sql from sqlite_master where name like 'Contact%' and sql is not null order by rowid",
            &schema);
        for (const Row& row : schema)
            sqlite3_exec(m_handle, row.at("sql").c_str(), nullptr, nullptr, nullptr);
        sqlite3_prepare_v2(m_handle,
                           "insert into Contact(firstName, middleInitial, lastName, company, callFrequency, "
                           "isFavorite, isFromPhone) values(?, ?, ?, ?, ?, ?, ?)",
                           -1, &m_contact, nullptr);
        sqlite3_prepare_v2(m_handle,
                           "insert into ContactNumber(number, speedDial, type, isDefault, contactId) "
                           "values(?, ?, ?, ?, ?)",
                           -1, &m_number, nullptr);
    }
    ~BulkStore() {
        sqlite3_finalize(m_contact);
        sqlite3_finalize(m_number);
        sqlite3_close(m_handle);
    }
    BulkStore(const BulkStore&) = delete;
    BulkStore& operator=(const BulkStore&) = delete;

    void empty() {
        sqlite3_exec(m_handle, "delete from Contact; delete from ContactNumber", nullptr, nullptr, nullptr);
    }

    void import() {
        const std::vector<ContactPtr> contacts = PhoneBookCSV::parseFile(g_csv);
        sqlite3_exec(m_handle, "begin", nullptr, nullptr, nullptr);
        for (const ContactPtr& contact : contacts) {
            bindText(m_contact, 1, contact->firstName());
            bindText(m_contact, 2, contact->middleInitial());
            bindText(m_contact, 3, contact->lastName());
            bindText(m_contact, 4, contact->company());
            sqlite3_bind_int64(m_contact, 5, contact->callFrequency());
            sqlite3_bind_int(m_contact, 6, contact->isFavorite() ? 1 : 0);
            sqlite3_bind_int(m_contact, 7, contact->isFromPhone() ? 1 : 0);
            step(m_contact);
            const sqlite3_int64 contactId = sqlite3_last_insert_rowid(m_handle);
            for (const ContactNumberPtr& number : contact->numbers()) {
                bindText(m_number, 1, number->number());
                sqlite3_bind_int64(m_number, 2, number->speedDial());
                sqlite3_bind_int64(m_number, 3, number->type());
                sqlite3_bind_int(m_number, 4, number->isDefaultNumber() ? 1 : 0);
                sqlite3_bind_int64(m_number, 5, contactId);
                step(m_number);
            }
        }
        sqlite3_exec(m_handle, "commit", nullptr, nullptr, nullptr);
    }

private:
    static void bindText(sqlite3_stmt* statement, int index, const std::string& text) {
        sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
    }
    static void step(sqlite3_stmt* statement) {
        sqlite3_step(statement);
        sqlite3_reset(statement);
    }

    sqlite3* m_handle = nullptr;
    sqlite3_stmt* m_contact = nullptr;
    sqlite3_stmt* m_number = nullptr;
};

void BM_SqliteBulkPath(benchmark::State& state) {
    BulkStore store;
    timedRunsAfter(
        state, bulkName, [&] { store.empty(); }, [&] { store.import(); });
}

void BM_PhoneBookModels(benchmark::State& state) {
    timedRuns(state, modelsName,
              [] { benchmark::DoNotOptimize(ContactManager::allContactsSortedByFirstName(true).size()); });
}

void BM_CoreOpen(benchmark::State& state) {
    timedRunsAfter(
        state, openName, [] { TessmarkDialerCore::close(); }, [] { TessmarkDialerCore::open(); });
}

BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Parse)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ImportUnbatched)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_SqliteBulkPath)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PhoneBookModels)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_CoreOpen)->Unit(benchmark::kMillisecond)->Iterations(10);

void printSummary() {
    std::printf("\nBridge figures (mean and best run, %d contacts, %d numbers):\n", contactCount,
                2 * contactCount);
    printRuns(exportName, 1000);
    printRuns(parseName, 50);
    printRuns(importName, 3000);
    printRuns(unbatchedName, 0);
    printRuns(bulkName, 0);
    printRuns(modelsName, 100);
    printRuns(openName, 200);
    const auto import = benchRuns().find(importName);
    const auto bulk = benchRuns().find(bulkName);
    if (import != benchRuns().end() && bulk != benchRuns().end()) {
        const double ratio = import->second.meanMs() / bulk->second.meanMs();
        std::printf("  import / SQLite bulk path: %.2fx (target within 3x: %s)\n", ratio,
                    ratio <= 3 ? "met" : "MISSED");
    }
}

} // namespace

int main(int argc, char** argv) {
    char folderTemplate[] = "/tmp/bridge_bench.XXXXXX";
    if (mkdtemp(folderTemplate) == nullptr)
        return 1;
    g_home = folderTemplate;
    g_csv = g_home + "/phonebook.csv";
    setenv("XDG_DATA_HOME", g_home.c_str(), 1);
    TessmarkDialerCore::open();
    g_contacts = makeContacts();
    PhoneBookCSV::exportToFile(g_csv, g_contacts);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();

    TessmarkDialerCore::close();
    std::filesystem::remove_all(g_home);
    return 0;
}
