// Resource numbers of tamvelo-tab.
#pragma once

#define IDS_TAB_WINDOW_TITLE 103
#define IDI_TAB_LARGE 107
#define IDI_TAB_SMALL 108
#define IDS_TAB_CLASS_NAME 109
