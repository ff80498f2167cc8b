#pragma once
// What the options dialog says, exactly as the teachers see it.
namespace lirabo::texts {

inline constexpr const char* kClientNotice =
    "Die Änderungen werden mit dem nächsten Neustart der Programme auf den Clients übernommen.";

}  // namespace lirabo::texts
