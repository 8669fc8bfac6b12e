// The maker's lines of the About box and the web page its link opens.
// Platform-free.
#pragma once

inline constexpr char kAboutNoticeText[] = "Copyright (C) Tallwood Works";
inline constexpr char kAboutAddressLine1[] = "12 Sawmill Road";
inline constexpr char kAboutAddressLine2[] = "Tallwood, OR 97999";
// What the link shows, and what a click on it opens.
inline constexpr char kAboutWebText[] = "www.tallwoodworks.example";
inline constexpr char kMakerWebAddress[] = "https://www.tallwoodworks.example/ledgerpad";
