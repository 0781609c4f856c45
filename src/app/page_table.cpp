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

#include <type_traits>

namespace kc::app {

namespace {

// Pages that read the game tables take the context; the others only their parent.
template <typename Page> CalculatorPage* make(const PageContext& context, QWidget* parent) {
    if constexpr (std::is_constructible_v<Page, const PageContext&, QWidget*>)
        return new Page(context, parent);
    else
        return new Page(parent);
}

} // namespace

// One page a line.
// clang-format off
const std::array<PageInfo, kPageCount> kPages = {{
    {"tabFront", "", 305, "", make<FrontPage>},
    {"tabAR", "AR races", 208, "c_AR_races", make<ArRacesPage>},
    {"tabCalc", "Calculator", 305, "c_Calculator", make<CalcPage>},
    {"tabColXport", "Colonist Transport", 218, "c_Col_Xport", make<ColonistTransportPage>},
    {"tabOG", "Overgating damage", 180, "c_overgating", make<OvergatingPage>},
    {"tabScan", "Scanning", 268, "c_Scanning", make<ScanningPage>},
    {"tabIntercept", "Interception", 300, "c_Interception", make<InterceptionPage>},
    {"tabMine", "Minefields", 295, "c_MineField", make<MinefieldsPage>},
    {"tabPacket", "Mineral Packets", 305, "c_mineralpackets", make<MineralPacketsPage>},
    {"tabScore", "Planet Score", 240, "", make<PlanetScorePage>},
    {"tabValue", "Planet Value", 305, "", make<PlanetValuePage>},
    {"tabRes", "Resources", 245, "", make<ResourcesPage>},
    {"tabFuel", "Fuel Usage", 195, "", make<FuelUsagePage>},
    {"tabExit", "About/Exit", 245, "", make<AboutPage>},
    {"tabDamRepair", "Damage repairing", 200, "c_Repairing", make<DamageRepairPage>},
    {"tabBeamDamage", "Beam Weapons", 190, "c_BeamDamage", make<BeamWeaponsPage>},
    {"tabBombing", "Bombing", 265, "c_bombing", make<BombingPage>},
    {"tabJamming", "Jammers Vs Battle Computers", 218, "c_Jamming", make<JammersPage>},
    {"tabCloak", "Cloaking", 275, "c_cloaking", make<CloakingPage>},
    {"tabBattle", "Battle Speed", 205, "", make<BattleSpeedPage>},
    {"tabMT", "Unlock MT Toys", 132, "", make<UnlockPage>},
    {"tabAttr", "Attractivness", 230, "", make<AttractivenessPage>},
    {"tabGroundCombat", "Ground Combat", 180, "", make<GroundCombatPage>},
}};
// clang-format on

CalculatorPage* createPage(int index, const PageContext& context, QWidget* parent) {
    const PageInfo& info = kPages.at(static_cast<std::size_t>(index));
    CalculatorPage* page = info.make(context, parent);
    page->setObjectName(QString::fromLatin1(info.name));
    page->setWindowTitle(QString::fromUtf8(info.caption));
    return page;
}

} // namespace kc::app
