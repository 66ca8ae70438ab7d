#include "rpg/party/centred_panel.h"

#include <optional>

#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/engine/picture_data.h"

namespace {

constexpr uint8_t kInterfaceType = 11, kInterfaceId1 = 2;
constexpr int kScreenRight = 159, kScreenHeight = 96;

}  // namespace

CentredPanel CentrePanel(uint8_t id2) {
  const std::optional<PicInfo> pic = ReadPicHeader(LibResource(kInterfaceType, kInterfaceId1, id2));
  game.runStatus = kRunning;
  const int w = pic ? pic->width : 0;
  const int h = pic ? pic->height : 0;
  return {(kScreenRight - w) / 2, (kScreenHeight - h) / 2, w, h};
}
