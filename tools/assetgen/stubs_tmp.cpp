#include "tools/assetgen/generators.h"
namespace AssetGen {
bool WriteScreenMockups(const AssetStore&, const std::string&, std::string&) { return true; }
}
