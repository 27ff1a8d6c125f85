// The game's fixed sentences that the digest looks for: hunger and withering,
// the openings that mark a paragraph as no battle, and the sentences with
// which the game ends a battle.
#include "cp1250.h"
#include "digest.h"

namespace morvinta {

const std::array<std::string_view, 6> kStarvationSentences = {
    "Gyomrod már összeszűkült a sok éhezéstől"_cp,
    "Annyira éhes vagy, hogy kínodban már akármit megennél, ami mozog"_cp,
    "Ha így folytatod a kosztolást, hamarosan az éhhalál küszöbén leszel"_cp,
    "Szörnyen éhezel"_cp,
    "Borzalmasan éhes vagy"_cp,
    "Az éhségtől egyre gyengébb vagy"_cp,
};

const std::array<std::string_view, 4> kWitheringSentences = {
    "Komposzttá sorvadsz"_cp,
    "Működik a borzalmas sorvasztás"_cp,
    "Iszonyatosan sorvadozol"_cp,
    "Tested aggasztó sebességgel sorvad"_cp,
};

const std::array<std::string_view, 28> non_battle_openings = {
    "Összeakadsz"_cp,
    "<! end of map>"_cp,
    "Összefutsz"_cp,
    "A táborozás"_cp,
    "(Továbbmész...)"_cp,
    "Találkozol"_cp,
    "- Ilyen szörnyekkel"_cp,
    "2003."_cp,
    "2004."_cp,
    "2005."_cp,
    "\n",  // a line break anywhere in the window
    "boldog névnapot"_cp,
    "Gratulálok,"_cp,
    "TVP-d"_cp,
    "Etetési idő!"_cp,
    "Odakint"_cp,
    "Észreveszel"_cp,
    "Ennek eredményeképp"_cp,
    "Döbbenetes látvány"_cp,
    "Sejtéseid támadnak"_cp,
    "Elővéve minden tudásodat"_cp,
    "Oopsz, e mellett nehogy elmenj!"_cp,
    "Egy elágazás!"_cp,
    "Az út hirtelen véget ér"_cp,
    "Mostantól nem foglalkozol"_cp,
    "Tétován vizsgálgatod"_cp,
    "Eladsz"_cp,
    "Meglátsz"_cp,
};

// Rows 41, 68 and 69 end in a blank or hold two blanks in a row, as the game
// writes them. Under the whitespace-tolerant match a pattern blank takes the
// whole whitespace run of the text, so row 41 never matches by itself; row 78
// catches the same sentence.
const std::array<std::string_view, 84> battle_end_messages = {
    "tapasztalati pontot kaptál.</SPAN>"_cp,                          // 1
    "fejlesztési pontot kaptál.</SPAN>"_cp,                           // 2
    "(Ez idézett szörny volt, TP sajnos nem jár érte.)"_cp,           // 3
    "El-deus-ex-machinázott, vagy mifene?"_cp,                        // 4
    "Ellenfeled menekül, te pedig túl fáradt vagy, hogy kövesd."_cp,  // 5
    "Ellenfeled elmenekül."_cp,                                       // 6
    "A másik úgy érzi veszélyben van, jobbnak látja, ha eltűnik a színről."_cp,  // 7
    "Ellenfeled meggondolta a dolgot, inkább menekül."_cp,          // 8
    "A másik félti az irháját, és menekülésre fogja a dolgot."_cp,  // 9
    "Túl erős az ellenfeled. Úgy döntesz, hogy ellenfeled lusta lesz futni. Te villámgyorsan megindulsz."_cp,  // 10
    "Áldod az eget, hogy ellenfeled lustább annál, hogy kövessen."_cp,  // 11
    "A következő pillanatban a lény köddé válik. Csak nem DEM-je volt az átkozottnak?"_cp,  // 12
    "Villámgyorsan eliszkolsz, félve a megsemmisülés fekete végtelenjétől..."_cp,  // 13
    "Sikoltozva menekülsz, rettegve a végső pusztulástól..."_cp,  // 14
    "Rettegve menekülsz, félve a végső megsemmisüléstől..."_cp,   // 15
    "Csak a Halál vigyorát látod..."_cp,                          // 16
    "Feltámadsz!"_cp,                                             // 17
    "Lelécelsz, megrettenve a halál utáni haláltól."_cp,          // 18
    "Emberfeletti gyorsasággal préseled ki magad egy pillanat alatt az ablakon."_cp,  // 19
    "Menekülsz, mint akit sóspuskával lőttek fenékbe."_cp,                // 20
    "Ellenfeled kissé lomha, így szerencsédre el tudsz futni előle."_cp,  // 21
    "Elmenekülsz a harc színhelyéről."_cp,                                // 22
    "Eliramodsz, és felsóhajtasz, amikor a hátad mögött elhalkul az üldöződ lihegése."_cp,  // 23
    "A varázstárgy, mielőtt végleg eltűnt volna, még néhány sebedet is begyógyította..."_cp,  // 24
    "???elől.???"_cp,                                                // 25
    "A másik úgy dönt, még hagy élni egy kicsit, és nem követ."_cp,  // 26
    "Szerencsédre a futás jobban megy a bújócskánál."_cp,            // 27
    "Ellenfeled egy darabig üldöz, de aztán ráun a dologra."_cp,     // 28
    "Ennél jobb véget szánsz magadnak, ezért futni kezdesz, mint egy őrült."_cp,  // 29
    "Olyan gyorsan futsz el, hogy ellenfeled csak döbbenten áll és bambán bámul utánad."_cp,  // 30
    "Te is meglepődsz, hogy milyen gyorsan magad mögött hagyod a lényt."_cp,  // 31
    "Ellenfeled jó kedvében lehet, mert negyedórányi üldözés után úgy dönt, hogy vége a reggeli tornának, és megáll."_cp,  // 32
    "Megindulsz, mint a tájfun, és reménykedsz. Sikerült!"_cp,  // 33
    "Most már csak a lábadban bízhatsz, meg abban, hogy a másik mégsem olyan vérszomjas."_cp,  // 34
    "Szerencsédre üldöződ hamarabb elfáradt mint te."_cp,  // 35
    "Szinte lángol a lábad alatt a talaj, ahogy távolodsz legyőződtől."_cp,  // 36
    "Hatalmas karcsapásokkal menekülsz kifelé."_cp,  // 37
    "Úszol kifelé, mint a veszett egér."_cp,         // 38
    "Villámgyorsan kimászol a partra."_cp,           // 39
    "A lábaddal csapkodva próbálod a szörny figyelmét elterelni, amíg kimenekülsz a vízből."_cp,  // 40
    "Reménytelenség  lesz  rajtad  úrrá, a harcnak nincs értelme, hisz bűnös vagy!"_cp,  // 41
    "Az ítéletet lehajtott fejjel fogadod, távozol."_cp,            // 42
    "Ez jó kis testmozgás volt, mindketten talpon maradtatok."_cp,  // 43
    "Ellenfeled összeesik. Győztél!"_cp,                            // 44
    "Szégyenletes vereséget szenvedtél."_cp,                        // 45
    "Sikerült megölnöd!"_cp,                                        // 46
    "Vége!"_cp,                                                     // 47
    "Véged!"_cp,                                                    // 48
    "ellenfél volt."_cp,                                            // 49
    "aréna padlójára..."_cp,                                        // 50
    "nem bírtok egymással!"_cp,                                     // 51
    "sebedet begyógyítják."_cp,                                     // 52
    "lenne a halál?"_cp,                                            // 53
    "gyógyított is rajtad."_cp,                                     // 54
    "magadhoz térsz."_cp,                                           // 55
    "zsákként dől el."_cp,                                          // 56
    "Végeztél vele!"_cp,                                            // 57
    "került a földre."_cp,                                          // 58
    "legyőzni a másikat."_cp,                                       // 59
    "hullt el!"_cp,                                                 // 60
    "Futsz, mint az őrült, átugrálva az akadályokon. Megúsztad! Lihegsz, huhuhu."_cp,  // 61
    "Lefelé könnyebben megy. Fél óra alatt újra szilárd talajra érsz."_cp,  // 62
    "Megérkeznek a KÖVGEO alkalmazottjai, és visszaváltoztatnak. Nem győzöl hálálkodni."_cp,  // 63
    "Szerencséd van: erre téved néhány KÖVGEO varázsló, és visszaváltoztat. Megköszönöd nekik."_cp,  // 64
    "Félelmedben ürítesz egyet, majd menekülsz a tetőn keresztül."_cp,  // 65
    "Ebben a helyzetben a menekülés a legbölcsebb lépés. Szerencsére ellenfeled nem követett."_cp,  // 66
    "DEM mentette meg az átkozottat!"_cp,  // 67
    "Megmentett a halálkapu "_cp,          // 68
    "Ez a halál... "_cp,                   // 69
    "Vakon tántorogva tapogatod ki az ablaknyílást, és menekülsz ész nélkül."_cp,  // 70
    "Sikoltozva menekülsz a biztos halál elől."_cp,  // 71
    "Egy pillanat alatt felismered, hogy a szörny túl erős, úgyhogy rémült menekülésbe fogsz, és felmászol a leomlott oldalfalon."_cp,  // 72
    "Hátra sem fordulva sprintelni kezdesz visszafelé."_cp,  // 73
    "Úgy döntesz, hogy ellenfeled lusta lesz futni. Te villámgyorsan megindulsz."_cp,  // 74
    "Sikoltozva menekülsz a kúpból."_cp,                              // 75
    "Jó stratéga módjára a megfontolt visszavonulást választod."_cp,  // 76
    "Rettegve, sikoltozva menekülsz."_cp,                             // 77
    "Reménytelenség lesz rajtad úrrá, a harcnak nincs értelme, hisz bűnös vagy!"_cp,  // 78
    "Lemászol a boly oldalán, elkerülve az újabb parányok támadását."_cp,  // 79
    "Bűnbánatod mélységes, nem akarsz már harcolni."_cp,                   // 80
    "Még szerencse, hogy a mászó-karperec még a kezed ügyében van, hangos jajveszékeléssel kapaszkodsz fel a romokon."_cp,  // 81
    "Felötlik benned egy gondolat: nem akarod húscafatként végezni, úgyhogy futásnak eredsz."_cp,  // 82
    "Ismét a térkép szerinti"_cp,  // 83
    "Már kiderült számodra, hogy a szörny legyőzése meghaladja minden képességedet, úgyhogy jobb lesz mielőbb elpucolni innen."_cp,  // 84
};

}  // namespace morvinta
