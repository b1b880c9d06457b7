# The site: the page and its modules, its terminal (xterm.js and its fit
# add-on, from web/node_modules, which npm ci fills from
# web/package-lock.json), the program, the players' guide, and the
# licences of what it ships, all in one folder. The WebAssembly is
# written into a script, since a page opened from file:// may not fetch.
find_program(NODE NAMES node nodejs REQUIRED)
set(xterm ${CMAKE_SOURCE_DIR}/web/node_modules/@xterm/xterm)
set(xterm_fit ${CMAKE_SOURCE_DIR}/web/node_modules/@xterm/addon-fit)
if(NOT EXISTS ${xterm}/lib/xterm.js OR NOT EXISTS ${xterm_fit}/lib/addon-fit.js)
  message(FATAL_ERROR
    "web/node_modules has no xterm.js or its fit add-on: run `npm ci` in web/ (scripts/web does)")
endif()
set(page_modules line_discipline.js program_host.js kept_scripts.js script_pane.js
  keyboard_layout.js keyboard.js spoken.js terminal_screen.js page.js)
list(TRANSFORM page_modules PREPEND ${CMAKE_SOURCE_DIR}/web/)
set(site_sources ${CMAKE_SOURCE_DIR}/web/index.html ${page_modules}
  ${CMAKE_SOURCE_DIR}/web/icon.svg ${CMAKE_SOURCE_DIR}/web/page.css
  ${CMAKE_SOURCE_DIR}/web/guide.css ${xterm}/lib/xterm.js ${xterm}/css/xterm.css)
# What the page knows of the program (its keys, its weapon catalogue, its
# widest menu line) is written by the program's own code at build time,
# never copied into the page's JavaScript by hand.
add_executable(page_data src/app/page_data_web.cpp)
target_link_libraries(page_data PRIVATE bindsmith_core)
# One file, its WebAssembly inside: this node cannot fetch a file beside it.
target_link_options(page_data PRIVATE -sENVIRONMENT=node -sSINGLE_FILE=1)
set(site ${CMAKE_CURRENT_BINARY_DIR}/site)
add_custom_command(OUTPUT ${site}/index.html
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${site}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${site}
  COMMAND ${CMAKE_COMMAND} -E copy ${site_sources} $<TARGET_FILE:bindsmith> ${site}
  COMMAND ${NODE} ${CMAKE_SOURCE_DIR}/web/embed_wasm.js
    $<TARGET_FILE_DIR:bindsmith>/bindsmith.wasm ${site}/bindsmith-wasm.js
  COMMAND ${NODE} ${CMAKE_SOURCE_DIR}/web/make_page_data.js $<TARGET_FILE:page_data>
    ${CMAKE_SOURCE_DIR}/tests/web/node_host.js $<TARGET_FILE:bindsmith> ${site}/page-data.js
  COMMAND ${CMAKE_COMMAND} -E copy ${xterm_fit}/lib/addon-fit.js ${site}/xterm-addon-fit.js
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/doc/guide.txt ${site}/guide.txt
  COMMAND ${NODE} ${CMAKE_SOURCE_DIR}/web/guide_page.js ${CMAKE_SOURCE_DIR}/doc/guide.txt
    ${site}/guide.html
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${site}/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${xterm}/LICENSE ${site}/xterm-LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${xterm_fit}/LICENSE ${site}/xterm-addon-fit-LICENSE.txt
  DEPENDS bindsmith page_data ${site_sources} ${CMAKE_SOURCE_DIR}/web/embed_wasm.js
    ${CMAKE_SOURCE_DIR}/web/make_page_data.js ${CMAKE_SOURCE_DIR}/web/guide_page.js
    ${CMAKE_SOURCE_DIR}/tests/web/node_host.js
    ${xterm_fit}/lib/addon-fit.js ${CMAKE_SOURCE_DIR}/doc/guide.txt
    ${CMAKE_SOURCE_DIR}/LICENSE ${xterm}/LICENSE ${xterm_fit}/LICENSE)
add_custom_target(site ALL DEPENDS ${site}/index.html)
