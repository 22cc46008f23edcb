# The Windows program: a static library with everything but the entry point
# (the Win32 test lane links it), and vornel.exe itself.

# x86 for the 32-bit build, x64 for the 64-bit one: test names carry it, so
# one CTest summary tells the two apart.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VORNEL_ARCH x64)
else()
    set(VORNEL_ARCH x86)
endif()

set(VORNEL_WIN32_SOURCES
    actions/end_session.cpp
    actions/privileges.cpp
    actions/process_actions.cpp
    actions/shell_commands.cpp
    actions/window_actions.cpp
    app/command_dispatch.cpp
    app/hotkeys.cpp
    app/main_window.cpp
    app/placement.cpp
    app/shutdown.cpp
    app/startup.cpp
    base/bounded_send.cpp
    base/clipboard.cpp
    base/platform.cpp
    base/program.cpp
    base/system_libraries.cpp
    base/window_text.cpp
    dialogs/about/about_box.cpp
    dialogs/calculator/calculator_dialog.cpp
    dialogs/colours/colours_dialog.cpp
    dialogs/control_keys.cpp
    dialogs/favourites/favourite_rows.cpp
    dialogs/favourites/favourites_dialog.cpp
    dialogs/list_tool.cpp
    dialogs/processes_list/processes_list.cpp
    dialogs/single_dialog.cpp
    dialogs/spy_window/spy_window.cpp
    dialogs/windows_list/windows_list.cpp
    menus/applet_menu.cpp
    menus/desktop_menu.cpp
    menus/dynamic_menu.cpp
    menus/dynamic_submenus.cpp
    menus/favourites_menu.cpp
    menus/menu_char.cpp
    menus/menu_texts.cpp
    menus/menu_tree.cpp
    menus/owner_draw.cpp
    menus/popup_menu.cpp
    menus/screen_saver_menu.cpp
    menus/task_menu.cpp
    settings/autorun.cpp
    settings/favourites_store.cpp
    settings/settings_store.cpp
    settings/shell_folder_names.cpp
    settings/shell_folders.cpp
    settings/start_menu_folders.cpp
    ui/button_face.cpp
    ui/file_icons.cpp
    ui/program_icons.cpp
    ui/tray_icon.cpp
    ui/window_icon.cpp
)

# Size-lean, ANSI, no exceptions in the program's own code. The options
# that shape the generated code are also given to the link, where link-time
# optimisation generates it.
# -malign-data=abi: tables, records and texts get the alignment the ABI
# asks for, not the 32 bytes GCC gives by default to every one of 32 bytes
# or more, which was padding between them (1 KB). Code that uses them
# elsewhere never counts on more than the ABI's alignment.
set(VORNEL_CODE_OPTIONS -Os -malign-data=abi -fno-exceptions -fno-rtti)
if(VORNEL_ARCH STREQUAL x86)
    # No unwind tables and no frame pointer in the 32-bit program. Windows
    # finds the handlers of x86 code through the chain at FS:0, not through
    # tables, and the DWARF tables in .eh_frame are read only by libgcc's
    # unwinder for C++ exceptions, which the program neither throws nor
    # links; they were 10 KB. The 64-bit program keeps its .pdata and
    # .xdata: x64 Windows cannot unwind a frame without them.
    list(APPEND VORNEL_CODE_OPTIONS -fno-asynchronous-unwind-tables -fno-unwind-tables
        -fomit-frame-pointer)
endif()
# No -fdata-sections: for PE targets GCC names the section of a variable of
# its own .data$<name> even when the variable is all zeros, so every
# zero-filled table (the lists behind the live submenus, the tray icon's
# record) would be stored in the exe instead of in .bss, 6 KB in all; the
# unused data it would let the linker drop is a few bytes.
set(VORNEL_COMPILE_OPTIONS ${VORNEL_CODE_OPTIONS} -ffunction-sections -Wall -Wextra
    -Wno-cast-function-type -Wno-missing-field-initializers)
set(VORNEL_DEFINITIONS WIN32_LEAN_AND_MEAN NOMINMAX STRICT _WIN32_IE=0x0600)

add_library(vornel_core STATIC ${VORNEL_PURE_SOURCES} ${VORNEL_WIN32_SOURCES})
target_include_directories(vornel_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(vornel_core PRIVATE ${VORNEL_COMPILE_OPTIONS})
target_compile_definitions(vornel_core PUBLIC ${VORNEL_DEFINITIONS})
target_link_libraries(vornel_core PUBLIC user32 gdi32 advapi32)

add_executable(vornel WIN32 app/main.cpp res/vornel.rc)
target_compile_options(vornel PRIVATE ${VORNEL_COMPILE_OPTIONS})
target_link_libraries(vornel PRIVATE vornel_core)
# No link time stamp, so the same sources give the same bytes.
target_link_options(vornel PRIVATE -static -Wl,--gc-sections -Wl,--no-insert-timestamp -s)
file(GLOB VORNEL_DIALOG_TEMPLATES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/dialogs/*.rc)
set_source_files_properties(res/vornel.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/res/resource.h;${CMAKE_SOURCE_DIR}/res/vornel.manifest;${VORNEL_DIALOG_TEMPLATES}")

# Link-time optimisation: the program's code is compiled as one whole, so
# what only one caller uses is folded into it and what nobody uses is gone
# (4 KB in the 32-bit program, 6.5 KB in the 64-bit one). The library holds
# that code as compiler bytecode, so the Win32 tests and benchmarks that
# link it are optimised the same way at their own link.
include(CheckIPOSupported)
check_ipo_supported(RESULT VORNEL_LTO OUTPUT VORNEL_LTO_ERROR LANGUAGES CXX)
if(VORNEL_LTO)
    set_property(TARGET vornel_core vornel PROPERTY INTERPROCEDURAL_OPTIMIZATION ON)
    target_link_options(vornel PRIVATE ${VORNEL_CODE_OPTIONS})
else()
    message(STATUS "Building without link-time optimisation: ${VORNEL_LTO_ERROR}")
endif()
