# Kalvet's icon is drawn once, as packaging/kalvet.svg. The PNGs a Linux desktop looks up and
# the .ico the Windows program carries are rendered from it at build time, so no picture is
# kept twice.
find_program(KALVET_RSVG_CONVERT rsvg-convert REQUIRED)

set(KALVET_ICON_SVG ${PROJECT_SOURCE_DIR}/packaging/kalvet.svg)
# The sizes desktops and Explorer ask for, from the title bar to large thumbnails.
set(KALVET_ICON_SIZES 16 24 32 48 64 128 256)

# Renders the icon at every size into DIR/NxN/kalvet.png (the layout of a hicolor theme) and
# puts the list of files in OUT_VAR. The rules belong to the calling directory, so only its
# targets may depend on the files.
function(kalvet_render_icon_pngs dir out_var)
  set(pngs)
  foreach(size IN LISTS KALVET_ICON_SIZES)
    set(png ${dir}/${size}x${size}/kalvet.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}/${size}x${size}
      COMMAND ${KALVET_RSVG_CONVERT} --width=${size} --height=${size} --format=png
              --output=${png} ${KALVET_ICON_SVG}
      DEPENDS ${KALVET_ICON_SVG}
      COMMENT "Rendering the ${size}x${size} icon"
      VERBATIM)
    list(APPEND pngs ${png})
  endforeach()
  set(${out_var} ${pngs} PARENT_SCOPE)
endfunction()
