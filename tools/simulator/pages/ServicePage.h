#pragma once

#include <string_view>

#include "tools/simulator/Site.h"

namespace vz::sim {

// The platform's customer-service centre ("/kefu/"): what the launcher's service link
// opens in the default browser. Inside a client window it also sets the window's header
// ("DialogBoxTopInfo") and closes it on request ("API_close").
inline constexpr std::string_view kServicePageHtml = R"HTML(<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="utf-8">
<title>ZelvoKiravel 客服中心</title>
<style>
  * { box-sizing: border-box; }
  body { margin: 0; font: 14px/1.6 "Microsoft YaHei", "微软雅黑", "Noto Sans CJK SC", sans-serif;
         color: #2b2b2b; background: #eef1f7; }
  header { background: linear-gradient(#1d2a63, #111a3f); color: #ffd97a; padding: 14px 24px; }
  header h1 { margin: 0; font-size: 20px; }
  header p { margin: 2px 0 0; color: #c9c1a5; font-size: 12px; }
  main { max-width: 760px; margin: 18px auto; padding: 0 16px; }
  section { background: #fff; border: 1px solid #d6dbe8; border-radius: 6px; padding: 14px 18px;
            margin-bottom: 14px; }
  h2 { font-size: 15px; margin: 0 0 8px; color: #1d2a63; }
  dt { font-weight: bold; margin-top: 6px; }
  dd { margin: 0 0 4px 1em; color: #555; }
  form label { display: block; margin-top: 6px; }
  select, textarea, input { width: 100%; font: inherit; padding: 4px 6px; }
  textarea { height: 80px; }
  button { margin-top: 10px; padding: 6px 18px; font: inherit; color: #fff; background: #2c4bb3;
           border: 0; border-radius: 4px; cursor: pointer; }
  #sent { color: #1f8a3a; margin-left: 10px; }
  #close { display: none; background: #888; }
  .status { font-size: 12px; color: #1f8a3a; }
</style>
</head>
<body>
<header>
  <h1>客服中心</h1>
  <p>在线时间 每日 09:00 – 24:00 · 客服热线 400-000-0000（模拟）</p>
</header>
<main>
  <section>
    <h2>常见问题</h2>
    <dl>
      <dt>试玩账号如何绑定？</dt>
      <dd>进入游戏后点击标题栏的“绑定账号”，填写手机号与密码即可转为正式账号。</dd>
      <dt>充值未到账怎么办？</dt>
      <dd>充值一般即时到账；超过十分钟未到账，请提交下方表单并附上订单号。</dd>
      <dt>忘记密码？</dt>
      <dd>请在官网登录页点击“找回密码”，按提示通过绑定手机找回。</dd>
    </dl>
  </section>
  <section>
    <h2>提交问题</h2>
    <form id="ask">
      <label>问题类型
        <select><option>账号问题</option><option>充值问题</option><option>游戏问题</option><option>举报</option></select>
      </label>
      <label>问题描述<textarea placeholder="请尽量详细地描述您遇到的问题"></textarea></label>
      <button type="submit">提交</button><span id="sent"></span>
      <button type="button" id="close">关闭窗口</button>
    </form>
    <p class="status" id="status">客服在线</p>
  </section>
</main>
<script>
(function () {
  var ext = window.external;
  var inClient = !!(ext && typeof ext.WD_JAPI === 'function');
  document.getElementById('ask').addEventListener('submit', function (e) {
    e.preventDefault();
    document.getElementById('sent').textContent = '已提交，客服将尽快回复您。';
  });
  if (inClient) {
    ext.WD_JAPI('DialogBoxTopInfo', '客服在线 · 工号 1024 为您服务');
    var close = document.getElementById('close');
    close.style.display = 'inline-block';
    close.addEventListener('click', function () { ext.API_close(); });
  }
})();
</script>
</body>
</html>
)HTML";

inline void RegisterServicePage(httplib::Server& server, SiteContext&) {
  server.Get("/kefu/", [](const httplib::Request&, httplib::Response& res) {
    res.set_content(std::string(kServicePageHtml), "text/html; charset=utf-8");
  });
}

}  // namespace vz::sim
