#include "app/page_table.h"

#include "app/calculator_page.h"
#include "app/page_context.h"
#include "app/pages/about_page.h"
#include "app/pages/ar_races_page.h"
#include "app/pages/attractiveness_page.h"
#include "app/pages/battle_speed_page.h"
#include "app/pages/beam_weapons_page.h"
#include "app/pages/bombing_page.h"
#include "app/pages/calculator_page.h"
#include "app/pages/cloaking_page.h"
#include "app/pages/colonist_transport_page.h"
#include "app/pages/damage_repair_page.h"
#include "app/pages/front_page.h"
#include "app/pages/fuel_usage_page.h"
#include "app/pages/ground_combat_page.h"
#include "app/pages/interception_page.h"
#include "app/pages/jammers_page.h"
#include "app/pages/minefields_page.h"
#include "app/pages/mineral_packets_page.h"
#include "app/pages/overgating_page.h"
#include "app/pages/planet_score_page.h"
#include "app/pages/planet_value_page.h"
#include "app/pages/resources_page.h"
#include "app/pages/scanning_page.h"
#include "app/pages/unlock_page.h"

#include <functional>
#include <map>
#include <string_view>
#include <type_traits>

namespace kc::app {

const std::array<PageInfo, kPageCount> kPages = {{
    {"tabFront", "", 305, ""},
    {"tabAR", "AR races", 208, "c_AR_races"},
    {"tabCalc", "Calculator", 305, "c_Calculator"},
    {"tabColXport", "Colonist Transport", 218, "c_Col_Xport"},
    {"tabOG", "Overgating damage", 180, "c_overgating"},
    {"tabScan", "Scanning", 268, "c_Scanning"},
    {"tabIntercept", "Interception", 300, "c_Interception"},
    {"tabMine", "Minefields", 295, "c_MineField"},
    {"tabPacket", "Mineral Packets", 305, "c_mineralpackets"},
    {"tabScore", "Planet Score", 240, ""},
    {"tabValue", "Planet Value", 305, ""},
    {"tabRes", "Resources", 245, ""},
    {"tabFuel", "Fuel Usage", 195, ""},
    {"tabExit", "About/Exit", 245, ""},
    {"tabDamRepair", "Damage repairing", 200, "c_Repairing"},
    {"tabBeamDamage", "Beam Weapons", 190, "c_BeamDamage"},
    {"tabBombing", "Bombing", 265, "c_bombing"},
    {"tabJamming", "Jammers Vs Battle Computers", 218, "c_Jamming"},
    {"tabCloak", "Cloaking", 275, "c_cloaking"},
    {"tabBattle", "Battle Speed", 205, ""},
    {"tabMT", "Unlock MT Toys", 132, ""},
    {"tabAttr", "Attractivness", 230, ""},
    {"tabGroundCombat", "Ground Combat", 180, ""},
}};

namespace {

using PageFactory = std::function<CalculatorPage*(const PageContext&, QWidget*)>;

// Pages that read the game tables take the context; the others only their parent.
template <typename Page> PageFactory make() {
    return [](const PageContext& context, QWidget* parent) -> CalculatorPage* {
        if constexpr (std::is_constructible_v<Page, const PageContext&, QWidget*>)
            return new Page(context, parent);
        else
            return new Page(parent);
    };
}

// The pages that are built; every other page is empty until its calculator arrives.
const std::map<std::string_view, PageFactory>& pageFactories() {
    // One page a line.
    // clang-format off
    static const std::map<std::string_view, PageFactory> factories = {
        {"tabFront", make<FrontPage>()},
        {"tabAR", make<ArRacesPage>()},
        {"tabCalc", make<CalcPage>()},
        {"tabScan", make<ScanningPage>()},
        {"tabExit", make<AboutPage>()},
        {"tabFuel", make<FuelUsagePage>()},
        {"tabIntercept", make<InterceptionPage>()},
        {"tabPacket", make<MineralPacketsPage>()},
        {"tabAttr", make<AttractivenessPage>()},
        {"tabGroundCombat", make<GroundCombatPage>()},
        {"tabMine", make<MinefieldsPage>()},
        {"tabOG", make<OvergatingPage>()},
        {"tabValue", make<PlanetValuePage>()},
        {"tabMT", make<UnlockPage>()},
        {"tabDamRepair", make<DamageRepairPage>()},
        {"tabBeamDamage", make<BeamWeaponsPage>()},
        {"tabBattle", make<BattleSpeedPage>()},
        {"tabRes", make<ResourcesPage>()},
        {"tabColXport", make<ColonistTransportPage>()},
        {"tabScore", make<PlanetScorePage>()},
        {"tabBombing", make<BombingPage>()},
        {"tabJamming", make<JammersPage>()},
        {"tabCloak", make<CloakingPage>()},
    };
    // clang-format on
    return factories;
}

} // namespace

CalculatorPage* createPage(int index, const PageContext& context, QWidget* parent) {
    const PageInfo& info = kPages.at(static_cast<std::size_t>(index));
    const auto& factories = pageFactories();
    const auto factory = factories.find(info.name);
    CalculatorPage* page =
        factory != factories.end() ? factory->second(context, parent) : new CalculatorPage(parent);
    page->setObjectName(QString::fromLatin1(info.name));
    page->setWindowTitle(QString::fromUtf8(info.caption));
    return page;
}

} // namespace kc::app
