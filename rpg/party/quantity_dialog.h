#pragma once
// The box in which the player sets how many pieces of an item to buy or sell.

#include <cstdint>
#include <string_view>

inline constexpr int kSelling = 1;

// Money after a sale that earns `earned`: the sum capped at 99999, but never
// less than `money` was (money from elsewhere may lie above the cap).
uint32_t MoneyAfterSale(uint32_t money, uint64_t earned);

// Mode kSelling sells, any other buys; `held` is the number held now. Up and
// Down change the quantity within the money and the 99 an entry holds.
// Returns the quantity (1 ... 99) on Enter, 255 on Esc or Enter at 0. It
// changes nothing itself.
uint8_t QuantityDialog(int mode, int held, std::string_view name, uint32_t price);
