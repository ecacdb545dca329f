// What the user chose for one sash: a kit per kind, additional kits, properties, the backset
// and the handle height.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rxf {

struct TKitChoice {
  std::string ComplectID;
  std::string HandleID;
  std::string HingeID;
  std::string LockID;
  std::string CylinderID;
  std::string DriveID;
  std::string LatchID;
  std::vector<std::string> AddComplects;
  std::vector<std::string> Properties;  // "kind=SysProp.ID"
  std::int32_t DornType = 0;
  std::int32_t HandleHeight = 0;
  bool UserDefineHeight = false;

  bool NoKitIDs() const {
    return ComplectID.empty() && HandleID.empty() && HingeID.empty() && LockID.empty() &&
           CylinderID.empty() && DriveID.empty() && LatchID.empty();
  }
};

}  // namespace rxf
