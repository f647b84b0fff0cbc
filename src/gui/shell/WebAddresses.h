#pragma once

// The maker's addresses, opened by the main window's commands and the about box.
namespace WebAddresses {
inline constexpr auto WebSite = "https://kestrix.example/drawsage";
inline constexpr auto SupportMail = "mailto:support@kestrix.example?subject=Drawsage";
} // namespace WebAddresses
