#pragma once

// The pages use what these make; the whole types come with them.
#include "App/controls/KTSegmentedControl.h"
#include "App/controls/KTSwitch.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>
#include <string>
#include <vector>

class KTNavigationBarController;
class QScrollBar;
class KTTableView;
class RowViewTable;
class SettingsCellView;
class ViewController;

// The look the settings pages share: white pages of captioned forms, fields of one height, the
// orange CSV buttons, the back button of a pushed page and the result sheets.
namespace SettingsWidgets {

inline constexpr int pageMargin = 20;
inline constexpr int fieldHeight = 26;

// Makes the page white and gives it a vertical layout with the page margins.
QVBoxLayout* pageLayout(QWidget* page);
// A form of captions on the left and fields on the right, added to the page's layout.
QFormLayout* addForm(QVBoxLayout* layout);
// A page that is one list: the table ("tableView") fills the view; its rows are row views.
RowViewTable* listPage(QWidget* view);
// One menu row per name, in order.
std::vector<SettingsCellView*> menuCells(KTTableView* table, const QStringList& names);
// A menu's row press: pushes the row's page, sliding; a row past the pages does nothing.
void pushPageOfRow(ViewController* menu, const std::vector<ViewController*>& pages, int row);

// The forms of one page share one caption column, so their fields line up.
void alignCaptions(const std::vector<QFormLayout*>& forms);
// A bold heading above a group of rows.
QLabel* heading(const QString& text);
// A smaller bold title over a few rows inside a group.
QLabel* subheading(const QString& text);

QLabel* caption(const QString& text);
QLineEdit* textField(const QString& objectName, bool secure = false);
KTSwitch* onOffSwitch(const QString& objectName);
QComboBox* popUp(const QString& objectName);
KTSegmentedControl* segments(const QStringList& labels, const QString& objectName);
// Radios of a pair are switched by the page itself, as a pair of separate buttons would be.
QRadioButton* radio(const QString& title, const QString& objectName);
// The CSV buttons: white titles of 11 pixels, centred, on the accent colour, inset by this much
// within the button.
inline constexpr int csvButtonInset = 3;
QPushButton* csvButton(const QString& title, const QString& objectName);

// A page's vertical scroll bar: a grey handle on a light track, so it shows on a white page.
void showScrollHandle(QScrollBar* bar);

// The bar of a pushed page: the left button shows the back arrow and no title.
void showBackButton(KTNavigationBarController* bar);
// The bar of a page whose only button is the back arrow; the bar is restyled (and lays its
// title out between the shown buttons). Nothing while the page is on no stack.
void showBackButtonOnly(ViewController* page);
// Pops the page off its stack, sliding; nothing when it is on none.
void popPage(ViewController* page);

// Pops the page at once without a warning, else once the warning's sheet has ended: the
// warning holds nothing back.
void popPageAfterWarning(ViewController* page, const QString& warning);

// Tab moves through the widgets in this order.
void setTabChain(const std::vector<QWidget*>& widgets);

// The CSV panels: once the user confirms a file, `chosen` gets its path. A cancelled panel does
// nothing; one confirmed without a file says "No file selected".
void openCsvFile(QWidget* parent, std::function<void(const std::string& path)> chosen);
void saveCsvFile(QWidget* parent, std::function<void(const std::string& path)> chosen);

// The result of an import: success only when every entry was stored and the file had no
// problem; withErrors (%1 the entries not stored, %2 all the file gave) when some were not
// stored; withProblems when all were but the file had problems. Those go into the details.
void showImportResult(QWidget* parent, size_t failed, size_t total, const QString& success,
                      const QString& withErrors, const QString& withProblems,
                      const std::vector<std::string>& problems);

// A one-button result sheet. The file's problems, when there are any, go one per line into
// the sheet's details.
void showResult(QWidget* parent, const QString& text, const std::vector<std::string>& problems = {});

} // namespace SettingsWidgets
