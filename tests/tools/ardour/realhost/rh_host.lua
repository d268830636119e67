-- realhost: shared helpers for list.lua / render.lua (run by ardour7-lua)
local M = {}

function M.die (code, msg)
  io.stderr:write ("realhost: " .. msg .. "\n")
  io.stderr:flush ()
  -- exiting with a session (and plug-in) still loaded sometimes segfaults: tear down first
  pcall (close_session)
  pcall (function () AudioEngine:stop (false) end)
  os.exit (code)
end

-- Dummy backend: no audio device; it is hidden in Ardour's GUI list but selectable by name.
-- (Its speed-up "drivers" cannot be chosen from Lua; freewheel export is used instead.)
function M.start_engine (rate, block)
  local be = AudioEngine:set_backend ("None (Dummy)", "", "")
  if be:isnil () then M.die (2, "cannot select the Dummy backend") end
  if AudioEngine:set_sample_rate (rate) ~= 0 then M.die (2, "sample rate " .. rate .. " refused") end
  if AudioEngine:set_buffer_size (block) ~= 0 then M.die (2, "block size " .. block .. " refused") end
  if AudioEngine:start (false) ~= 0 or not AudioEngine:running () then M.die (2, "engine did not start") end
end

-- the LXVST or VST3 entry Ardour knows for this exact .so path, or the LV2 entry for a URI (nil if it
-- was not found)
function M.find_info (path)
  local lv2 = path:match ("^https?://") ~= nil
  for p in ARDOUR.LuaAPI.list_plugins ():iter () do
    if lv2 and p.type == ARDOUR.PluginType.LV2 and p.unique_id == path then return p end
    local vst = p.type == ARDOUR.PluginType.LXVST or p.type == ARDOUR.PluginType.VST3
    if not lv2 and vst and p.path == path then return p end
  end
  return nil
end

-- an instance of the plug-in found by find_info
function M.new_plugin (s, info)
  return ARDOUR.LuaAPI.new_plugin (s, info.unique_id, info.type, "")
end

function M.new_session (dir, rate)
  local s = create_session (dir, "realhost", rate)
  if not s then M.die (2, "could not create session in " .. dir) end
  return s
end

-- a stereo bus; processors are added at the top, so add them bottom-up
function M.new_bus (s)
  local rl = s:new_audio_route (2, 2, nil, 1, "fx", ARDOUR.PresentationInfo.Flag.AudioBus,
                                ARDOUR.PresentationInfo.max_order)
  return rl:front ()
end

function M.add_top (route, proc, what)
  if proc:isnil () then M.die (3, "could not instantiate " .. what) end
  if route:add_processor_by_index (proc, 0, nil, true) ~= 0 then M.die (3, "could not insert " .. what) end
end

-- the plug-in's programs; a VST 3 plug-in's program list is known to its instance `proc` only,
-- whose presets Ardour names "VST3-P:<class id>:<index, 4 digits>"
function M.presets (info, proc)
  local t = {}
  if info.type == ARDOUR.PluginType.VST3 then
    local p = proc:to_insert ():plugin (0)
    for i = 0, 9999 do
      local pr = p:preset_by_uri (string.format ("VST3-P:%s:%04d", info.unique_id, i))
      if not pr or not pr.valid then break end
      t[#t + 1] = pr
    end
    return t
  end
  for pr in info:get_presets (false):iter () do t[#t + 1] = pr end
  return t
end

-- index: the control's number among the plug-in's controls, which LuaAPI's get/set take (for a
-- VST the parameter index; an LV2 plug-in's parameters are its ports, audio ones included)
function M.params (proc)
  local p = proc:to_insert ():plugin (0)
  local t = {}
  local n = -1
  for i = 0, p:parameter_count () - 1 do
    if p:parameter_is_control (i) then n = n + 1 end
    if p:parameter_is_control (i) and p:parameter_is_input (i) then
      local _, pd = p:get_parameter_descriptor (i, ARDOUR.ParameterDescriptor ())
      local v = ARDOUR.LuaAPI.get_processor_param (proc, n, true)
      t[#t + 1] = { index = n, name = p:parameter_label (i), value = v,
                    lower = pd[2].lower, upper = pd[2].upper, normal = pd[2].normal }
    end
  end
  return t
end

-- setting: "3=0.5" (VST parameter index) or "Feedback=0.5" (exact parameter name)
function M.set_param (proc, setting)
  local key, val = setting:match ("^(.-)=([-+%d.eE]+)$")
  if not key then M.die (1, "bad --param '" .. setting .. "' (want INDEX=VALUE or NAME=VALUE)") end
  local idx = tonumber (key)
  if not idx then
    for _, prm in ipairs (M.params (proc)) do if prm.name == key then idx = prm.index end end
    if not idx then M.die (1, "no parameter named '" .. key .. "'") end
  end
  if not ARDOUR.LuaAPI.set_processor_param (proc, idx, tonumber (val)) then
    M.die (1, "could not set parameter " .. idx)
  end
end

-- setting: program number (0-based) or exact program name
function M.select_program (proc, info, setting)
  local list = M.presets (info, proc)
  local n = tonumber (setting)
  for i, pr in ipairs (list) do
    if (n and i - 1 == n) or pr.label == setting or pr.label:match ("^%d+ %- (.*)$") == setting then
      if not proc:to_insert ():plugin (0):load_preset (pr) then M.die (1, "program load failed") end
      return pr.label
    end
  end
  M.die (1, "no program '" .. setting .. "' (" .. #list .. " programs)")
end

return M
