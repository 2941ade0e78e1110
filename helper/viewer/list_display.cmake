# The attachment viewer's list: entries, states, settings and list order
# (portable, unit-tested natively), and in the Windows builds the list
# window, its thumbnails and the settings sheet (linked into helper.dll).
add_library(tavix_viewer_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/viewer_entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/viewer_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_order.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_placement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/thumb_layout.cpp)
target_include_directories(tavix_viewer_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tavix_viewer_core PUBLIC tavix_helper_interfaces tavix_image_core)

if(WIN32)
  add_library(tavix_viewer_win32 STATIC
    ${CMAKE_CURRENT_LIST_DIR}/attachment_actions_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_examine_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/image_list_display_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ithumb_win32.cpp
  ${CMAKE_CURRENT_LIST_DIR}/monitors_win32.cpp
    ${CMAKE_CURRENT_LIST_DIR}/viewer_settings_sheet_win32.cpp)
  target_include_directories(tavix_viewer_win32 PUBLIC ${CMAKE_CURRENT_LIST_DIR}
                             PRIVATE ${PROJECT_SOURCE_DIR}/resources ${PROJECT_SOURCE_DIR}/helper/framework)
  target_link_libraries(tavix_viewer_win32 PUBLIC tavix_viewer_core tavix_image_win32 shell32 comctl32 comdlg32
                        gdi32 user32 version)
endif()
