# The installer's decision about the user's chosen screen saver (portable; the custom actions'
# DLL is tested end to end under Wine).
orvanta_add_test(saver_selection_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/saver_selection_test.cpp
  DEPS orvanta_saver_selection)
