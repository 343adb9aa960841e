// Resource and control numbers of the utility. The numbers are fixed: the dialog templates,
// the stored profiles' callers and the driver package's expectations rely on them.
#pragma once

// Strings
#define IDS_ADAPTER_DESCRIPTION 1
#define IDS_UTILITY_VERSION     2
#define IDS_RADIO_OFF           103
#define IDS_RADIO_ON            104
#define IDS_TITLE               105
#define IDS_ADAPTER_AWAY        200

// Dialog templates
#define IDD_MAIN        102
#define IDD_LINK_INFO   107
#define IDD_CONFIG      109
#define IDD_ENCRYPTION  111
#define IDD_SITE_SURVEY 113
#define IDD_VERSION     115
#define IDD_LINK_MONITOR 220

// Icons
#define IDI_MAIN        106
#define IDI_TRAY_NOLINK 108
#define IDI_TRAY_WEAK   110
#define IDI_TRAY_MEDIUM 112
#define IDI_TRAY_STRONG 114
#define IDI_SURVEY_INFRA 124
#define IDI_SURVEY_ADHOC 125

// Bitmaps
#define IDB_BACKDROP      116
#define IDB_LABEL         117
#define IDB_HEADER        118
#define IDB_TAB           120
#define IDB_TAB_SELECTED  121
#define IDB_QUALITY_FILL  122
#define IDB_SIGNAL_FILL   123
#define IDB_VERSION_PICTURE 126

// Menu and commands
#define IDM_TRAY        119
#define ID_TRAY_OPEN    32772
#define ID_TRAY_EXIT    32773
#define ID_TRAY_RADIO   32774
#define ID_TRAY_MONITOR 32820
#define ID_TRAY_NOTICES 32800
#define ID_TRAY_AWAY    32801
#define ID_TRAY_ALL_PROFILES 32775
// The "Profiles" submenu's entries: one id a place, at most 16 places.
#define ID_TRAY_PROFILE_FIRST 33000
#define ID_TRAY_PROFILE_LAST  33015

// Controls (one number may serve several templates)
#define IDC_DRIVER_VERSION      1000
#define IDC_ENCRYPTION_ENABLE   1001
#define IDC_UTILITY_VERSION     1002
#define IDC_PASSPHRASE          1003
#define IDC_KEY1_RADIO          1004
#define IDC_KEY1                1005
#define IDC_KEY2_RADIO          1006
#define IDC_KEY2                1007
#define IDC_KEY3_RADIO          1008
#define IDC_KEY3                1009
#define IDC_KEY4_RADIO          1010
#define IDC_KEY4                1011
#define IDC_KEY_FORMAT          1012
#define IDC_ENCRYPTION_APPLY    1013
#define IDC_ENCRYPTION_CANCEL   1014
#define IDC_DEFAULT_KEY_LABEL   1015
#define IDC_NETWORK_KEY_LABEL   1016
#define IDC_STATUS              1018
#define IDC_SSID                1019
#define IDC_CHANNEL             1020
#define IDC_TX_RATE             1021
#define IDC_MAC_ADDRESS         1022
#define IDC_CONNECTION_TYPE     1023
#define IDC_IP_ADDRESS          1024
#define IDC_QUALITY_BAR         1025
#define IDC_SIGNAL_BAR          1026
#define IDC_QUALITY_PERCENT     1027
#define IDC_SIGNAL_PERCENT      1028
#define IDC_SURVEY_LIST         1029
#define IDC_PROFILE_LIST        1030
#define IDC_SURVEY_REFRESH      1031
#define IDC_PROFILE_ADD         1033
#define IDC_WIRELESS_MODE       1034
#define IDC_PANEL_ANCHOR        1036
#define IDC_CHANNEL_LIST        1037
#define IDC_DRIVER_VERSION_LABEL 1039
#define IDC_TX_RATE_LIST        1040
#define IDC_POWER_MODE          1042
#define IDC_UTILITY_VERSION_LABEL 1043
#define IDC_PROFILE_REMOVE      1044
#define IDC_STATUS_LABEL        1045
#define IDC_SSID_LABEL          1046
#define IDC_CHANNEL_LABEL       1047
#define IDC_MAC_ADDRESS_LABEL   1048
#define IDC_CONNECTION_LABEL    1049
#define IDC_IP_ADDRESS_LABEL    1050
#define IDC_QUALITY_LABEL       1051
#define IDC_SIGNAL_LABEL        1052
#define IDC_TX_RATE_LABEL       1053
#define IDC_MBPS_LABEL          1054
#define IDC_TAB_LINK_INFO       1055
#define IDC_TAB_CONFIGURATION   1056
#define IDC_TAB_ENCRYPTION      1057
#define IDC_TAB_SITE_SURVEY     1058
#define IDC_AVAILABLE_NETWORK   1059
#define IDC_PROFILE_LABEL       1060
#define IDC_WIRELESS_MODE_LABEL 1061
#define IDC_POWER_MODE_LABEL    1062
#define IDC_PASSPHRASE_LABEL    1064
#define IDC_KEY_FORMAT_LABEL    1065
#define IDC_CONFIG_APPLY        1066
#define IDC_CONFIG_CANCEL       1067
#define IDC_PROFILE_NAME        1068
#define IDC_VERSION_INFO_LABEL  1069

// The Configuration page's "Connect automatically"
#define IDC_AUTO_CONNECT        1100

// The link monitor's controls
#define IDC_MONITOR_SIGNAL      1140
#define IDC_MONITOR_QUALITY     1141
#define IDC_MONITOR_SCAN        1142
#define IDC_MONITOR_OFF_PLAN    1143
