# Lays out the demo device: copies every file of the demo tree that the device lacks or that is newer
# than the device's copy (so settings saved on the device survive a rebuild), creates the folders
# every device has, and adds the Korean TrueType font shared by the skins.
file(MAKE_DIRECTORY "${DEVICE}/Windows/Desktop" "${DEVICE}/Windows/Programs"
     "${DEVICE}/Storage Card/VexaDeck/Skin/_common/Font")
if(EXISTS "${SOURCE}")
  file(GLOB_RECURSE files RELATIVE "${SOURCE}" "${SOURCE}/*")
  foreach(file IN LISTS files)
    set(from "${SOURCE}/${file}")
    set(to "${DEVICE}/${file}")
    if(NOT EXISTS "${to}" OR "${from}" IS_NEWER_THAN "${to}")
      get_filename_component(folder "${to}" DIRECTORY)
      file(MAKE_DIRECTORY "${folder}")
      file(COPY_FILE "${from}" "${to}")
    endif()
  endforeach()
endif()
foreach(font /usr/share/fonts/truetype/nanum/NanumGothic.ttf /usr/share/fonts/truetype/nanum/NanumGothicBold.ttf)
  get_filename_component(name "${font}" NAME)
  if(EXISTS "${font}" AND NOT EXISTS "${DEVICE}/Storage Card/VexaDeck/Skin/_common/Font/${name}")
    file(COPY_FILE "${font}" "${DEVICE}/Storage Card/VexaDeck/Skin/_common/Font/${name}")
  endif()
endforeach()
