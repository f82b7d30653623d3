// The about boxes' texts and web addresses that are the project's own choice, kept together so that they
// are reviewed and changed in one place. The texts are plain (no credit markup) and in English; those marked
// for translation are shown through TAboutBox::tr.
#pragma once

#include <QtGlobal>

namespace controls::about {

// The grip-training community forum that both about boxes link to.
inline constexpr char ForumName[] = QT_TRANSLATE_NOOP("controls::TAboutBox", "Grip Forum");
inline constexpr char ForumUrl[] = "https://forum.example.org/grip-training/";

// The maker's page about the gripper calculators: both about boxes and the designer's "Visit Website".
inline constexpr char MakerPageUrl[] = "https://www.example.org/varnok-handvise/";

inline constexpr char MakerNotice[] =
    QT_TRANSLATE_NOOP("controls::TAboutBox", "\u00a9 The Varnok Handvise project");
inline constexpr char ContactAddress[] = "handvise@example.org";

inline constexpr char DedicationFirst[] =
    QT_TRANSLATE_NOOP("controls::TAboutBox", "Everyone who trains their grip");
inline constexpr char DedicationSecond[] = QT_TRANSLATE_NOOP("controls::TAboutBox", "and shares what works.");

// The tool icons and the hand cursors that the programs ship were drawn for the project.
inline constexpr char IconAuthor[] =
    QT_TRANSLATE_NOOP("controls::TAboutBox", "Icons: Varnok Handvise project");
inline constexpr char IconSet[] = "Handvise Icons & Cursors 1.0";
inline constexpr char IconSetAddress[] = "www.example.org/varnok-handvise";

} // namespace controls::about
