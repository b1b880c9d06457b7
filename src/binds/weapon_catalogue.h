#pragma once

namespace bindsmith {

// Choices 4 to 9: one weapon group each.
void bindPistol();
void bindShotgun();
void bindSmg();
void bindRifle();
void bindMachineGun();
void bindEquipment();

}  // namespace bindsmith
