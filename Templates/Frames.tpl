<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Frameset//EN"
   "http://www.w3.org/TR/html4/frameset.dtd">
<html lang="en">
<head>
  <meta http-equiv="Content-Type" content="text/html; charset=utf-8">
  <title>Untitled</title>
</head>
<frameset cols="200,*">
  <frame src="menu.html" name="menu" title="Navigation">
  <frame src="start.html" name="main" title="Content">
  <noframes>
    <body>
      <p>This site uses frames. <a href="start.html">Go to the content</a>.</p>
    </body>
  </noframes>
</frameset>
</html>
