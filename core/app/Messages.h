#pragma once

namespace vz {

// Window messages shared between the windows; the numbers are part of the contract.
inline constexpr unsigned UM_TRAYICON = 1124;
inline constexpr unsigned UM_OPENGAME = 1125;
inline constexpr unsigned UM_CLOSEGAME = 1126;
inline constexpr unsigned UM_CLOSEPAY = 1127;
inline constexpr unsigned UM_CLOSEBIND = 1128;
inline constexpr unsigned UM_GAMECALL = 1225;
inline constexpr unsigned UM_SERVICEREADY = 1226;
inline constexpr unsigned UM_SHOWSERVICEMSG = 1227;
inline constexpr unsigned UM_CLOSESERVICEMSG = 1228;

// Platform messages the core models.
inline constexpr unsigned WM_CLOSE = 0x0010;
inline constexpr unsigned WM_SYSCOMMAND = 0x0112;
inline constexpr unsigned SC_MINIMIZE = 0xF020;
inline constexpr unsigned SC_MAXIMIZE = 0xF030;
inline constexpr unsigned SC_RESTORE = 0xF120;

inline constexpr int BOSSKEY_HOTKEY_ID = 1224;
inline constexpr int REPORT_TIMER_ID = 1002;
inline constexpr int CMD_EXIT = 32772;

}  // namespace vz
