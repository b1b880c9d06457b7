#include "binds/weapon_catalogue.h"

namespace bindsmith {

void bindPistol() {}
void bindShotgun() {}
void bindSmg() {}
void bindRifle() {}
void bindMachineGun() {}
void bindEquipment() {}

}  // namespace bindsmith
