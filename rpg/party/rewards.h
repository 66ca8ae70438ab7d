#pragma once
// What a won battle pays and what a member's rise shows: the gains strip,
// the loot announced and added, the recovery, the experience, the level-up
// with its panel and the magics it teaches with theirs. The arithmetic is in
// level_up.h and magic_learning.h; these are the screens around it.
//
// Draws: BattleRewards one Random() for the recovery percentage (after the
// scene is shown), then LevelUp's one per member that rises, slot 0 first.

#include <cstdint>
#include <string>
#include <string_view>

#include "rpg/party/party_types.h"

// Draws the battle scene with everybody shown into sceneCanvas (the battle
// flow's DrawBattleScene(0, 0)); BattleRewards presents it.
using SceneDrawer = void (*)();

// After a won battle: the scene shown, the gains strip, the loot, the money
// (no upper limit here), then each member in slot order: a fallen one gets 1
// hp and nothing else; the others recover 15 ... 24 % of what they lack,
// gain battleExp (held at 65535) and level up when exp passes nextExp.
// Nothing happens while runStatus is set.
void BattleRewards(SceneDrawer drawScene);

// The member in `slot` rises as far as its exp carries it: the name with
// "修行提升" in strip line 2, the new values, the level-up panel and the
// magics the new level's chain count opens, each on the learned panel.
// Nothing without a level table (the failed lookup is cleared) or with
// nextExp 0.
void LevelUp(int slot);

// The level-up panel (11, 2, 9) centred in sceneCanvas with the 18 values
// before and after, then presented.
void ShowLevelUpPanel(int slot, const LevelRow& before);

// The learned panel (11, 2, 10) centred on the screen, the member's name and
// the magic's name centred on it.
void ShowLearned(std::string_view memberName, std::string_view magicName);
// The same for the member in `slot` and a magic record (LearnChain's hook).
void ShowLearnedMagic(int slot, const uint8_t* magicRecord);

// LearnMagic and, when the magic was learned, its learned panel: the script's
// Learn and each magic a level opens.
void TeachMagic(int slot, uint8_t magicClass, uint8_t id);

// `text` in strip line 2, then the item added (a full inventory loses it)
// and 2 ticks waited.
void AnnounceItem(const std::string& text, uint8_t kind, uint8_t id, uint8_t count);

// Strip lines 0 and 1: "获得经验" with battleExp and "战斗获得 " with
// battleMoney and "钱", numbers right-aligned in 5 characters; 5 ticks.
void ShowBattleGains();

// Each loot entry in order, announced as "得到 " name " x" count and added;
// an item record that cannot be found ends the list.
void ShowDrops();
