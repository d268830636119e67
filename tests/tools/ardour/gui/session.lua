-- usage: ardour7-lua -- session.lua REALHOST_DIR PLUGIN SESSION_DIR
-- Saves a 48 kHz session with a stereo bus holding the plug-in (PLUGIN: the .so's path for VST 2,
-- the URI for LV2) and prints the plug-in's name and the name Ardour's GUI keeps its editor under.
local here, plugin, dir = arg[1], arg[2], arg[3]
local H = dofile (here .. "/rh_host.lua")
H.start_engine (48000, 1024)
local info = H.find_info (plugin)
if not info then H.die (3, "Ardour does not know " .. plugin) end
local s = H.new_session (dir, 48000)
local bus = H.new_bus (s)
local proc = H.new_plugin (s, info)
H.add_top (bus, proc, plugin)
print ("name\t" .. info.name)
-- the mixer strip names each processor's window "ROUTE-PROCESSOR" by their ids
print ("window\t" .. bus:to_stateful ():id ():to_s () .. "-" .. proc:to_stateful ():id ():to_s ())
s:save_state ("", false, false, false, false, false)
print ("session\t" .. dir .. "/" .. s:name () .. ".ardour")
close_session ()
