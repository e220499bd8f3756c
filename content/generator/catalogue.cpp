#include "generator/catalogue.h"

namespace content {
namespace {
std::vector<Asset>& assets() {
    static std::vector<Asset> list;
    return list;
}
std::vector<Command>& commandList() {
    static std::vector<Command> list;
    return list;
}
}  // namespace

void addAsset(Asset asset) { assets().push_back(std::move(asset)); }
const std::vector<Asset>& catalogue() { return assets(); }
void addCommand(Command command) { commandList().push_back(std::move(command)); }
const std::vector<Command>& commands() { return commandList(); }

}  // namespace content
