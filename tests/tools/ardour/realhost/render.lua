-- usage: ardour7-lua render.lua HERE PLUGIN.so|URI|none SESSIONDIR RATE BLOCK IN.f32 OUT.f32 FRAMES [--param S]... [--program S] [--realtime]
-- IN.f32 / OUT.f32: raw little-endian float32, 2 channels interleaved, FRAMES frames
local here, path, sdir = arg[1], arg[2], arg[3]
local rate, block = tonumber (arg[4]), tonumber (arg[5])
local inraw, outraw, frames = arg[6], arg[7], tonumber (arg[8])
local H = dofile (here .. "/rh_host.lua")
local WAV_PRESET = "75969a1c-3133-4694-864b-a1fa50e43348" -- Ardour's stock "WAV @ session-rate"
local params, program, realtime = {}, nil, false
local i = 9
while arg[i] do
  if arg[i] == "--param" then params[#params + 1] = arg[i + 1]
  elseif arg[i] == "--program" then program = arg[i + 1]
  elseif arg[i] == "--realtime" then realtime = true; i = i - 1
  else H.die (1, "unknown option " .. arg[i]) end
  i = i + 2
end

-- PLUGIN "none": the source feeds the sink directly, a check of the harness itself
local none = path == "none"
if none and (program or #params > 0) then H.die (1, "--param and --program need a plug-in") end

H.start_engine (rate, block)
local info = not none and H.find_info (path)
if not none and not info then H.die (3, "Ardour does not list " .. path .. " (scan failed or blacklisted?)") end
local s = H.new_session (sdir, rate)
local bus = H.new_bus (s)

local src = ARDOUR.LuaAPI.new_luaproc (s, "realhost source")
local sink = ARDOUR.LuaAPI.new_luaproc (s, "realhost sink")
local vst = not none and H.new_plugin (s, info)
if src:isnil () or sink:isnil () then H.die (2, "harness DSP scripts not found") end

-- load input into the source's shared memory (planar), size the sink's
local f = io.open (inraw, "rb") or H.die (1, "cannot read " .. inraw)
local data = f:read ("a"); f:close ()
if #data ~= frames * 8 then H.die (1, "input size mismatch") end
local function shm_of (proc) return proc:to_insert ():plugin (0):to_luaproc ():shmem () end
local sshm, kshm = shm_of (src), shm_of (sink)
for _, shm in ipairs ({ sshm, kshm }) do
  shm:allocate (16 + 2 * frames); shm:clear ()
  local iv = shm:to_int (0):array ()
  iv[1] = frames; iv[2] = 2; iv[3] = 0
end
local fa = sshm:to_float (0):array ()
local pos = 1
for n = 1, frames do
  local l, r
  l, r, pos = string.unpack ("<ff", data, pos)
  fa[16 + n] = l; fa[16 + frames + n] = r
end
data = nil

H.add_top (bus, sink, "sink")
if not none then H.add_top (bus, vst, info.name) end
H.add_top (bus, src, "source")
if program then print ("program\t" .. H.select_program (vst, info, program)) end
for _, setting in ipairs (params) do H.set_param (vst, setting) end
for _, q in ipairs (#params > 0 and H.params (vst) or {}) do
  for _, setting in ipairs (params) do
    local key = setting:match ("^(.-)=")
    if tonumber (key) == q.index or key == q.name then print (string.format ("param\t%d\t%s\t%.6g", q.index, q.name, q.value)) end
  end
end
print (string.format ("latency\t%d samples", none and 0 or vst:to_insert ():signal_latency ()))
print (string.format ("engine\t%d Hz, block %d, %s", s:nominal_sample_rate (), s:get_block_size (), realtime and "real time" or "freewheel export"))

-- roll until the sink has captured every frame: by default through a session export,
-- which runs the engine in freewheel (faster than real time); --realtime rolls the transport
local kiv = kshm:to_int (0):array ()
if realtime then
  ARDOUR.LuaAPI.usleep (500000) -- let parameter smoothing settle, as the export pre-roll does
  s:request_roll (ARDOUR.TransportRequestSource.TRS_UI)
  local t0 = os.time ()
  while kiv[3] < frames do
    ARDOUR.LuaAPI.usleep (20000)
    if os.time () - t0 > 30 + frames / rate then H.die (4, "timed out waiting for audio") end
  end
  s:request_stop (false, false, ARDOUR.TransportRequestSource.TRS_UI)
else
  local ex = s:simple_export ()
  ex:set_folder (sdir)
  ex:set_name ("export")
  ex:set_range (0, frames + 4 * block)
  if not (ex:set_preset (WAV_PRESET) and ex:check_outputs () and ex:run_export ()) then
    H.die (4, "freewheel export failed (try --realtime)")
  end
end
if kiv[3] < frames then H.die (4, "sink captured only " .. kiv[3] .. " of " .. frames .. " frames") end

local ka = kshm:to_float (0):array ()
local out = io.open (outraw, "wb") or H.die (1, "cannot write " .. outraw)
local chunk = {}
for n = 1, frames do
  chunk[#chunk + 1] = string.pack ("<ff", ka[16 + n], ka[16 + frames + n])
  if #chunk == 4096 then out:write (table.concat (chunk)); chunk = {} end
end
out:write (table.concat (chunk)); out:close ()
print (string.format ("rendered\t%d frames", frames))
close_session ()
