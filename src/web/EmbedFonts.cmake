# SPDX-License-Identifier: MIT
# Writes the page's shell with the two faces' base64 text in place of
# @FONT_REGULAR@ and @FONT_BOLD@.
file(READ ${TEMPLATE} page)
file(READ ${REGULAR} regular)
file(READ ${BOLD} bold)
string(STRIP "${regular}" regular)
string(STRIP "${bold}" bold)
string(REPLACE "@FONT_REGULAR@" "${regular}" page "${page}")
string(REPLACE "@FONT_BOLD@" "${bold}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
