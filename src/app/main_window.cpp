#include "app/main_window.h"

#include "app/artwork.h"
#include "app/calculator_page.h"
#include "app/help/help_system.h"
#include "app/page_accessibility.h"
#include "app/page_context.h"
#include "app/page_fonts.h"
#include "app/page_table.h"
#include "app/page_text.h"
#include "app/pages/about_page.h"
#include "app/pages/cloaking_page.h"
#include "app/pages/interception_page.h"
#include "app/pages/planet_value_page.h"
#include "app/pages/unlock_page.h"
#include "app/settings_store.h"
#include "app/user_dialogs.h"
#include "ui_main_window.h"
#include "widgets/auto_drop_box.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QKeyEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>
#include <QWindow>

namespace kc::app {

namespace {

constexpr int kClientWidth = 394;
constexpr int kDesignClientHeight = 271;
constexpr int kF1KeyCode = 112;
// The pages are laid out for the classic 8-point dialog font, about 11 pixels high.
constexpr int kPageFontPixels = 11;
// Large fonts: a quarter taller window, and text up to a quarter larger where the page still fits.
constexpr int kLargestPageFontPixels = (kPageFontPixels * 5 + 3) / 4;
constexpr int kInterceptionFrameMs = 25;
const char* const kHelpFileName = "KorvathCalc.HLP";

// Under a fractional scale Qt asks the window manager for resize steps of round(scale) device pixels counted
// from the base size, and a window manager that honours them cuts an odd width by a pixel on the next resize.
// A base size with the right remainder keeps the exact size reachable.
int reachableBase(int logical, qreal ratio) {
    const int target = qRound(logical * ratio);
    const int step = std::max(1, qRound(ratio));
    for (int base = 0; base <= 2 * step; ++base)
        if ((target - qRound(base * ratio)) % step == 0)
            return base;
    return 0;
}

} // namespace

TForm1::TForm1(StartupOptions options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TForm1>()), help_(std::make_unique<HelpSystem>(kHelpFileName, this)),
      options_(std::move(options)),
      designFile_(locateDesignFile(options_.designFile),
                  options_.readOnlyDesigns ? DesignFile::Access::ReadOnly : DesignFile::Access::ReadWrite) {
    QFont pageFont = font();
    pageFont.setPixelSize(kPageFontPixels);
    setFont(pageFont);
    ui->setupUi(this);
    // The white copy one pixel to the right gives the title its relief.
    QPalette relief = ui->lblKCver2->palette();
    relief.setColor(QPalette::WindowText, Qt::white);
    ui->lblKCver2->setPalette(relief);
    fitTitle();
    setFixedSize(kClientWidth, kDesignClientHeight);
    ui->btnOnTop->setIcon(stayOnTopGlyph(palette()));
    ui->btnHelp->setIcon(helpGlyph());
    ui->btnExit->setIcon(exitGlyph(palette()));

    tmrIntersect = new QTimer(this);
    tmrIntersect->setObjectName(QStringLiteral("tmrIntersect"));
    tmrIntersect->setInterval(kInterceptionFrameMs);

    buildPages();
    connectShellControls();
    qApp->installEventFilter(this); // the window sees every key before the focused control
    setDialogParent(this);
    FormCreate();
}

TForm1::~TForm1() {
    qApp->removeEventFilter(this);
    FormDestroy();
}

// The title must end before the selector whatever the desktop's font: narrow it until it fits.
void TForm1::fitTitle() {
    for (QLabel* title : {ui->lblKCver1, ui->lblKCver2}) {
        QFont narrowed = title->font();
        while (QFontMetrics(narrowed).horizontalAdvance(title->text()) > title->width() &&
               narrowed.pixelSize() > 6)
            narrowed.setPixelSize(narrowed.pixelSize() - 1);
        title->setFont(narrowed);
    }
}

void TForm1::buildPages() {
    for (int index = 0; index < kPageCount; ++index)
        ui->pgcMain->addWidget(makePage(index));
    ui->pgcMain->setCurrentIndex(kFrontPageIndex);
}

CalculatorPage* TForm1::makePage(int index) {
    CalculatorPage* page = createPage(index, PageContext{tables_, HiddenItems}, ui->pgcMain);
    prepareAccessibility(*page);
    // The pages the window itself works with.
    if (auto* value = qobject_cast<PlanetValuePage*>(page)) {
        planetValue_ = value;
    } else if (auto* unlock = qobject_cast<UnlockPage*>(page)) {
        unlock_ = unlock;
    } else if (auto* about = qobject_cast<AboutPage*>(page)) {
        about_ = about;
        connect(about->exitButton(), &QPushButton::clicked, this, reported(this, &TForm1::btnExitClick));
        connect(about->autoDropBox(), &QCheckBox::toggled, this, reported(this, &TForm1::chkAutodropClick));
        connect(about->largeFontsBox(), &QCheckBox::toggled, this, reported(this, &TForm1::chkLargeFntClick));
    } else if (auto* cloaking = qobject_cast<CloakingPage*>(page)) {
        cloaking_ = cloaking;
        connect(cloaking, &CloakingPage::designsChanged, this,
                [this] { runReported([this] { saveDesigns(); }); });
    } else if (auto* interception = qobject_cast<InterceptionPage*>(page)) {
        interception_ = interception;
        // The window owns the timer; the page runs it while it shows.
        interception->useTimer(*tmrIntersect);
    }
    return page;
}

void TForm1::connectShellControls() {
    connect(ui->cmbTab, &QComboBox::activated, this, reported(this, &TForm1::cmbTabClick));
    auto* copyPage = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this);
    connect(copyPage, &QShortcut::activated, this, &TForm1::copyShownPage);
    connect(ui->btnOnTop, &QToolButton::clicked, this, reported(this, &TForm1::Stay1Click));
    connect(ui->btnHelp, &QToolButton::clicked, this, reported(this, &TForm1::btnHelpClick));
    connect(ui->btnExit, &QToolButton::clicked, this, reported(this, &TForm1::btnExitClick));
}

void TForm1::remakePage(int index, const storage::CloakDesigns& designsAtStart) {
    QWidget* old = ui->pgcMain->widget(index);
    ui->pgcMain->removeWidget(old);
    CalculatorPage* page = makePage(index);
    ui->pgcMain->insertWidget(index, page);
    delete old;
    // What start-up does for the page.
    if (auto* value = qobject_cast<PlanetValuePage*>(page))
        runReported([value] { value->setStartRanges(); });
    else if (auto* interception = qobject_cast<InterceptionPage*>(page))
        runReported([interception] { interception->DrawIntercept(); });
    else if (auto* cloaking = qobject_cast<CloakingPage*>(page)) {
        cloaking->designs() = designsAtStart;
        cloaking->showLoadedDesigns();
    }
}

void TForm1::startOver(std::set<int> pagesUsed, const storage::CloakDesigns& designsAtStart) {
    // Showing a page changes nothing on it but for the interception page, whose animation restarts; the focus
    // though may have followed into a shown page, and leaving a box clamps it.
    for (const int index : pagesShown_)
        if (qobject_cast<InterceptionPage*>(page(index)) != nullptr)
            pagesUsed.insert(index);
    if (const int focused = indexOfPage(QApplication::focusWidget()); focused >= 0)
        pagesUsed.insert(focused);
    // A click changed a settings box.
    if (!aboutPage()->autoDropBox()->isChecked() || aboutPage()->largeFontsBox()->isChecked())
        pagesUsed.insert(indexOfPage(aboutPage()));
    // Unlocking adds items to the lists of other pages.
    if (pagesUsed.contains(indexOfPage(unlockPage())))
        for (QWidget* list : unlockPage()->listsItAddsTo())
            pagesUsed.insert(indexOfPage(list));
    if (shownPage_ != nullptr)
        shownPage_->pageDeactivated();
    shownPage_ = nullptr;
    ui->pgcMain->setCurrentIndex(kFrontPageIndex);
    for (const int index : pagesUsed)
        remakePage(index, designsAtStart);
    pagesShown_.clear();
    {
        const QSignalBlocker quiet(ui->cmbTab);
        ui->cmbTab->setCurrentIndex(-1);
        ui->cmbTab->setAutoDrop(true);
    }
    if (ui->btnOnTop->isChecked()) {
        ui->btnOnTop->setChecked(false);
        Stay1Click();
    }
    outerHeight_ = 0;
    appliedFrameHeight_ = 0;
    setFixedSize(kClientWidth, kDesignClientHeight);
    if (!isVisible())
        show();
    runReported([&] { FormShow(); });
}

int TForm1::indexOfPage(const QWidget* widget) const {
    for (const QWidget* up = widget; up != nullptr; up = up->parentWidget())
        if (const int index = ui->pgcMain->indexOf(const_cast<QWidget*>(up)); index >= 0)
            return index;
    return -1;
}

// Each start-up step is reported on its own and the next one still runs: one failing step must not leave the
// selector empty or skip loading the designs.
void TForm1::FormCreate() {
    runReported([&] { HiddenItems.emplace(); });
    runReported([&] { rules::InitArrays(tables_, *HiddenItems); });
    runReported([&] { planetValue_->setStartRanges(); });
    runReported([&] { interceptionPage()->DrawIntercept(); });
    runReported([&] { makeProgramFolderCurrent(); });
    runReported([&] { loadCloakDesigns(); });
    runReported([&] { fillPageSelector(); });
}

void TForm1::FormShow() {
    QCheckBox* autoDrop = aboutPage()->autoDropBox();
    QCheckBox* largeFonts = aboutPage()->largeFontsBox();
    // A store that refuses one write refuses them all: report the first refusal once, after the settings are
    // applied, instead of one box per value before the window appears.
    readingSettings_ = true;
    deferredSettingsFailure_.reset();
    const auto doneReading = qScopeGuard([&] { readingSettings_ = false; });
    if (SettingsStore::keyExists()) {
        // Setting a box to another state runs its click handler, which writes the value back.
        if (const auto stored = SettingsStore::read(kAutoDropSetting))
            autoDrop->setChecked(*stored);
        else
            storeSetting(kAutoDropSetting, true);
        if (const auto stored = SettingsStore::read(kLargeFontSetting))
            largeFonts->setChecked(*stored);
        else
            storeSetting(kLargeFontSetting, false);
    }
    ui->cmbTab->setAutoDrop(autoDrop->isChecked());
    if (const std::optional<RuntimeError> failure = std::exchange(deferredSettingsFailure_, std::nullopt))
        throw *failure;
}

void TForm1::storeSetting(const Setting& setting, bool on) {
    if (!readingSettings_) {
        SettingsStore::write(setting, on);
        return;
    }
    try {
        SettingsStore::write(setting, on);
    } catch (const RuntimeError& failure) {
        if (!deferredSettingsFailure_)
            deferredSettingsFailure_ = failure;
    }
}

// As at start-up, every step runs even when an earlier one fails. Designs are saved as they change; only what
// a failed save left unsaved is written here, so a window that changed nothing never writes the file.
void TForm1::FormDestroy() {
    if (destroyed_)
        return;
    destroyed_ = true;
    runReported([&] { makeProgramFolderCurrent(); });
    saveUnsavedDesigns();
    runReported([&] { HiddenItems.reset(); });
}

void TForm1::makeProgramFolderCurrent() {
    QDir::setCurrent(QCoreApplication::applicationDirPath());
}

void TForm1::loadCloakDesigns() {
    CloakingPage* page = cloakingPage();
    page->designs().count = 0;
    // The list follows the store also when the file fails to load, so the design boxes are then disabled.
    const auto showDesigns = qScopeGuard([page] { page->showLoadedDesigns(); });
    designFile_.load(page->designs());
}

// Designs are saved as they change, so that nothing is lost when the program is killed or another copy saves
// the same file; what another copy saved meanwhile is combined in, and the page then shows the result.
void TForm1::saveDesigns() {
    CloakingPage* page = cloakingPage();
    const DesignSave outcome = designFile_.save(page->designs());
    if (outcome.combined)
        page->showDesignsAgain();
    const QString file = designFile_.location().writeTo;
    if (outcome.why == DesignSave::SideReason::CannotCombine)
        userDialogs().showMessage(
            QString::fromLatin1(kApplicationTitle),
            tr("Another copy of the program changed the same designs in '%1', or filled its "
               "16 places. That file is left as it is; this window's designs are saved in "
               "'%2'.")
                .arg(file, outcome.sideFile),
            MessageIcon::Warning);
    else if (outcome.why == DesignSave::SideReason::KeptFile)
        userDialogs().showMessage(
            QString::fromLatin1(kApplicationTitle),
            tr("'%1' cannot be written over without losing what it holds, so it is left as it "
               "is; this window's designs are saved in '%2'.")
                .arg(file, outcome.sideFile),
            MessageIcon::Warning);
}

void TForm1::saveUnsavedDesigns() {
    runReported([this] {
        if (designFile_.hasUnsavedChanges(cloakingPage()->designs()))
            saveDesigns();
    });
}

// Another copy may have saved designs while this window was open: the page shows them when it is shown.
void TForm1::showDesignsSavedElsewhere() {
    CloakingPage* page = cloakingPage();
    if (designFile_.hasUnsavedChanges(page->designs()))
        saveDesigns();
    else if (designFile_.takeChangesOnDisk(page->designs()))
        page->showDesignsAgain();
}

CloakingPage* TForm1::cloakingPage() const {
    return cloaking_;
}

void TForm1::fillPageSelector() {
    for (int index = 1; index < kPageCount; ++index)
        ui->cmbTab->addListItem(QString::fromUtf8(kPages.at(index).caption));
    ui->cmbTab->setCurrentIndex(-1);
}

void TForm1::cmbTabClick() {
    const QString chosen = ui->cmbTab->currentText();
    for (int index = 0; index < kPageCount; ++index) {
        const QString caption = QString::fromUtf8(kPages.at(index).caption);
        if (!caption.isEmpty() && caption == chosen)
            ui->pgcMain->setCurrentIndex(index);
    }
    pgcMainChange();
}

void TForm1::pgcMainChange() {
    // The page left stops what runs while it shows (the interception page's animation timer).
    if (shownPage_ != nullptr && shownPage_ != activePage())
        shownPage_->pageDeactivated();
    shownPage_ = activePage();
    pagesShown_.insert(activePageIndex());
    activePage()->pageActivated();
    if (activePage() == cloakingPage())
        runReported([this] { showDesignsSavedElsewhere(); });
    setOuterHeight(PageHeight(kPages.at(activePageIndex()).tag, aboutPage()->largeFontsBox()->isChecked()));
}

void TForm1::copyShownPage() {
    QGuiApplication::clipboard()->setText(pageAsText(*activePage()));
}

void TForm1::btnExitClick() {
    close();
}

void TForm1::Stay1Click() {
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowStaysOnTopHint, ui->btnOnTop->isChecked());
    if (QWindow* native = windowHandle()) {
        // Changed on the existing native window, the window manager only raises or releases it; through
        // QWidget::setWindowFlags the window would be hidden and shown again, which flickers.
        overrideWindowFlags(flags);
        native->setFlags(flags);
        return;
    }
    setWindowFlags(flags);
}

bool TForm1::staysOnTop() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void TForm1::btnHelpClick() {
    const QString context = QString::fromLatin1(kPages.at(activePageIndex()).helpContext);
    const bool opened = context.isEmpty() ? help_->showFinder() : help_->showTopic(context);
    if (!opened)
        userDialogs().showMessage(QString::fromLatin1(kApplicationTitle), help_->errorText());
}

void TForm1::FormKeyUp(int keyCode, Qt::KeyboardModifiers /*shift*/) {
    if (keyCode == kF1KeyCode)
        btnHelpClick();
}

void TForm1::chkAutodropClick() {
    const bool on = aboutPage()->autoDropBox()->isChecked();
    // The selector follows the box even when the store refuses the write, so what shows is what works.
    ui->cmbTab->setAutoDrop(on);
    storeSetting(kAutoDropSetting, on);
}

void TForm1::fitActivePageFont() {
    QWidget& page = *activePage();
    if (!aboutPage()->largeFontsBox()->isChecked()) {
        if (page.font().pixelSize() != kPageFontPixels)
            setPageFontPixels(page, kPageFontPixels);
        return;
    }
    // The size that fits depends only on the page and its room: worked out once, then reused.
    const QSize room(kClientWidth, std::max(0, outerHeight_ - frameHeight() - ui->pnlTop->height()));
    const auto key = std::pair(page.objectName(), std::pair(room.width(), room.height()));
    if (const auto fitted = fittedFontPixels_.find(key); fitted != fittedFontPixels_.end())
        setPageFontPixels(page, fitted->second);
    else
        fittedFontPixels_.emplace(key, fitLargerFont(page, room, kPageFontPixels, kLargestPageFontPixels));
}

void TForm1::chkLargeFntClick() {
    const bool on = aboutPage()->largeFontsBox()->isChecked();
    setOuterHeight(PageHeight(kPages.at(activePageIndex()).tag, on));
    storeSetting(kLargeFontSetting, on);
}

void TForm1::setOuterHeight(int height) {
    outerHeight_ = height;
    applyOuterHeight();
    fitActivePageFont();
}

// The Tag is the outer height, title bar and borders included; the page gets what the frame leaves.
void TForm1::applyOuterHeight() {
    if (outerHeight_ <= 0)
        return;
    appliedFrameHeight_ = frameHeight();
    const QSize client(kClientWidth, std::max(outerHeight_ - appliedFrameHeight_, ui->pnlTop->height()));
    const qreal ratio = devicePixelRatioF();
    setBaseSize(reachableBase(client.width(), ratio), reachableBase(client.height(), ratio));
    if (size() != client || minimumSize() != client || maximumSize() != client)
        setFixedSize(client);
}

int TForm1::frameHeight() const {
    const QWindow* native = windowHandle();
    if (!isVisible() || native == nullptr)
        return 0;
    const QMargins margins = native->frameMargins();
    return margins.top() + margins.bottom();
}

// A height applied while the window is first shown (a stored large-fonts setting) comes before the window
// manager adds its frame, which becomes known by the first paint or activation: apply it again then.
bool TForm1::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Paint:
    case QEvent::WindowActivate:
        if (outerHeight_ > 0 && frameHeight() != appliedFrameHeight_)
            QMetaObject::invokeMethod(this, &TForm1::applyOuterHeight, Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return handled;
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    runReported([&] { FormShow(); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (key->key() == Qt::Key_F1 && !key->isAutoRepeat() && widget != nullptr &&
            widget->window() == this) {
            runReported([&] { FormKeyUp(kF1KeyCode, key->modifiers()); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int TForm1::pageCount() const {
    return ui->pgcMain->count();
}

CalculatorPage* TForm1::page(int index) const {
    return static_cast<CalculatorPage*>(ui->pgcMain->widget(index));
}

int TForm1::activePageIndex() const {
    return ui->pgcMain->currentIndex();
}

CalculatorPage* TForm1::activePage() const {
    return page(activePageIndex());
}

widgets::TAutoDropBox* TForm1::pageSelector() const {
    return ui->cmbTab;
}

InterceptionPage* TForm1::interceptionPage() const {
    return interception_;
}

UnlockPage* TForm1::unlockPage() const {
    return unlock_;
}

AboutPage* TForm1::aboutPage() const {
    return about_;
}

HelpSystem& TForm1::help() const {
    return *help_;
}

QTimer* TForm1::interceptionTimer() const {
    return tmrIntersect;
}

} // namespace kc::app
