#pragma once

// The main window TForm1: a top bar (title, page selector, stay-on-top, help, exit) over a page stack whose
// tabs never show. Start-up (FormCreate) builds every page and fills the selector; showing the window
// (FormShow) reads the two settings; choosing a page in the selector (cmbTabClick) shows it and sizes the
// window to its Tag (pgcMainChange). Each page binds its own controls to its own handlers and shares nothing
// with the others; the window only decides which page shows. Closing the window runs FormDestroy.

#include "app/design_file.h"
#include "core/runtime_error.h"
#include "rules/game_tables.h"

#include <QString>
#include <QWidget>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class QTimer;

namespace Ui {
class TForm1;
}

namespace kc::widgets {
class TAutoDropBox;
}

namespace kc::app {

class AboutPage;
class CalculatorPage;
class CloakingPage;
class HelpSystem;
struct Setting;
class InterceptionPage;
class PlanetValuePage;
class UnlockPage;

struct StartupOptions {
    // The cloak design file; empty means the usual one (see locateDesignFile).
    QString designFile;
    // Designs are read but never written (the driver's batches).
    bool readOnlyDesigns = false;
};

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(StartupOptions options = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // Shell handlers.
    void cmbTabClick();
    void pgcMainChange();
    void btnExitClick();
    void Stay1Click();
    void btnHelpClick();
    void FormKeyUp(int keyCode, Qt::KeyboardModifiers shift);
    void chkAutodropClick();
    void chkLargeFntClick();
    // For the driver's batches: back to the state of a fresh start without making the whole window again.
    // The pages a run changed (`pagesUsed`, and those an unlock reached, the focus entered or whose showing
    // changes them) are made anew, the cloaking page with `designsAtStart`; the top bar and the height return
    // to their start and the settings are read as at the first show.
    void startOver(std::set<int> pagesUsed, const storage::CloakDesigns& designsAtStart);
    // The index of the page that holds `widget`; -1 for the top bar.
    int indexOfPage(const QWidget* widget) const;

    // Saves designs that a failed save left unsaved (the session is ending).
    void saveUnsavedDesigns();
    // Ctrl+Shift+C: the shown page as text on the clipboard.
    void copyShownPage();

    // What the window shows, for tests and the command-line driver.
    int pageCount() const;
    CalculatorPage* page(int index) const;
    int activePageIndex() const;
    CalculatorPage* activePage() const;
    widgets::TAutoDropBox* pageSelector() const;
    AboutPage* aboutPage() const;
    InterceptionPage* interceptionPage() const;
    HelpSystem& help() const;
    QTimer* interceptionTimer() const;
    // The outer height last set for a page; 0 while the window keeps its design size.
    int outerHeight() const { return outerHeight_; }
    bool staysOnTop() const;
    const std::optional<std::vector<std::string>>& hiddenItems() const { return HiddenItems; }
    const rules::GameTables& gameTables() const { return tables_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void fitTitle();
    void buildPages();
    CalculatorPage* makePage(int index);
    void remakePage(int index, const storage::CloakDesigns& designsAtStart);
    UnlockPage* unlockPage() const;
    void connectShellControls();
    void fillPageSelector();
    void loadCloakDesigns();
    void saveDesigns();
    void showDesignsSavedElsewhere();
    CloakingPage* cloakingPage() const;
    void makeProgramFolderCurrent();
    // Writes a setting; while the settings are read at start a refusal is kept for one report.
    void storeSetting(const Setting& setting, bool on);
    // Large fonts: the shown page's text as large as it fits (see fitLargerFont).
    void fitActivePageFont();
    void setOuterHeight(int height);
    void applyOuterHeight();
    // Title bar and borders; 0 until the window manager has framed the window.
    int frameHeight() const;

    std::unique_ptr<Ui::TForm1> ui;
    std::unique_ptr<HelpSystem> help_;
    QTimer* tmrIntersect = nullptr;
    StartupOptions options_;
    DesignFile designFile_;
    std::optional<std::vector<std::string>> HiddenItems;
    rules::GameTables tables_;
    // While FormShow reads the settings: the first write that failed meanwhile, reported once at its end.
    bool readingSettings_ = false;
    std::optional<RuntimeError> deferredSettingsFailure_;
    int outerHeight_ = 0;
    // The frame height the last applied height allowed for.
    int appliedFrameHeight_ = 0;
    bool shown_ = false;
    // Large fonts: the pixel size each page fits, by page and room.
    std::map<std::pair<QString, std::pair<int, int>>, int> fittedFontPixels_;
    // The pages the window works with itself.
    AboutPage* about_ = nullptr;
    CloakingPage* cloaking_ = nullptr;
    InterceptionPage* interception_ = nullptr;
    PlanetValuePage* planetValue_ = nullptr;
    UnlockPage* unlock_ = nullptr;
    // The page shown last, told when another page takes its place.
    CalculatorPage* shownPage_ = nullptr;
    // The pages shown since start (or since the last start over).
    std::set<int> pagesShown_;
    bool destroyed_ = false;
};

} // namespace kc::app
