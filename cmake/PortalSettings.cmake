# Portal settings: one definition, compiled into both programs (and into the
# native build of the parsers under fuzz/).
set(TAMVELO_PORTAL_BASE_URL "http://www.tamvelo.com" CACHE STRING
    "Portal base URL: scheme and host, no trailing slash")
set(TAMVELO_PORTAL_ROOT_URL "http://www.tamvelo.com" CACHE STRING
    "Portal root address used for cookies: same host, no path")
set(TAMVELO_PARTNER_HOST "pay.tamvelo.net" CACHE STRING
    "Host name of the partner (payment) site")
